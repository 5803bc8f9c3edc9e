#pragma once
// The command line as one string, and what it asks the program to do.
#include <QByteArray>
#include <QString>
#include <QStringList>

struct CommandLineRequest {
    enum class Action { NewDocument, OpenDocument, Register, Embedding, Automation };
    Action action = Action::NewDocument;
    QString path;        // OpenDocument: the document's path
    QString commandLine; // what remains once an embedding option is taken out
};

// File names as the file system holds them: bytes, mostly UTF-8. Qt's own decoding
// (QFile::decodeName) turns a byte that is not UTF-8 into U+FFFD and so names another
// file; here such a byte becomes the lone surrogate U+DC80 + byte - 0x80 and turns back
// into the same byte, so every name survives the trip through QString.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);
// argv[1] to argv[argc - 1], decoded as file names.
QStringList ArgumentsFrom(int argc, const char* const* argv);

// The program's arguments (without the program itself) joined by blanks, so a path
// with blanks that the launcher split into words is one path again.
QString JoinArguments(const QStringList& arguments);

// "-Embedding" / "/embedding" or "-Automation" / "/automation" as a word of the line, in
// any case, starts the server; "-r" as the first word writes the registration; an
// empty line opens a new document; any other line is one path, surrounding quotes
// removed.
CommandLineRequest ParseCommandLine(const QString& commandLine);
