#pragma once
// The command line as one string, and what it asks the program to do.
#include <QString>
#include <QStringList>

struct CommandLineRequest {
    enum class Action { NewDocument, OpenDocument, Register, Embedding, Automation };
    Action action = Action::NewDocument;
    QString path;        // OpenDocument: the document's path
    QString commandLine; // what remains once an embedding option is taken out
};

// The program's arguments (without the program itself) joined by blanks, so a path
// with blanks that the launcher split into words is one path again.
QString JoinArguments(const QStringList& arguments);

// "-Embedding" / "/embedding" or "-Automation" / "/automation" as a word of the line, in
// any case, starts the server; "-r" as the first word writes the registration; an
// empty line opens a new document; any other line is one path, surrounding quotes
// removed.
CommandLineRequest ParseCommandLine(const QString& commandLine);
