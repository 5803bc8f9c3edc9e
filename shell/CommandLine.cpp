#include "shell/CommandLine.h"

#include <QFile>


namespace {

constexpr char16_t kEscapedByte = 0xDC00; // plus the byte, 0x80 to 0xFF

// The length of the valid UTF-8 sequence at `i`, or 0.
int Utf8Length(const QByteArray& b, qsizetype i)
{
    const auto c = static_cast<unsigned char>(b[i]);
    const int len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > b.size())
        return 0;
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        const auto d = static_cast<unsigned char>(b[i + k]);
        if ((d & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    const char32_t minimum = len == 1 ? 0 : len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
    return cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? 0 : len;
}

} // namespace

QString DecodeFileName(const QByteArray& bytes)
{
    QString out;
    qsizetype run = 0; // start of the valid run not yet decoded
    for (qsizetype i = 0; i < bytes.size();) {
        const int len = Utf8Length(bytes, i);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QFile::decodeName(bytes.mid(run, i - run));
        out += QChar(static_cast<char16_t>(kEscapedByte + static_cast<unsigned char>(bytes[i])));
        run = ++i;
    }
    return out + QFile::decodeName(bytes.mid(run));
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray out;
    qsizetype run = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name[i].unicode();
        if (u < kEscapedByte + 0x80 || u > kEscapedByte + 0xFF || (i > 0 && name[i - 1].isHighSurrogate()))
            continue;
        out += QFile::encodeName(name.mid(run, i - run));
        out += static_cast<char>(u - kEscapedByte);
        run = i + 1;
    }
    return out + QFile::encodeName(name.mid(run));
}

QStringList ArgumentsFrom(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << DecodeFileName(QByteArray(argv[i]));
    return arguments;
}

QString JoinArguments(const QStringList& arguments) { return arguments.join(QLatin1Char(' ')); }

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Finds an option word ("/name" or "-name", any case) and removes it from the line.
bool TakeOption(QString& line, const QString& name)
{
    int i = 0;
    const int n = line.size();
    while (i < n) {
        while (i < n && IsBlank(line[i]))
            ++i;
        const int start = i;
        while (i < n && !IsBlank(line[i]))
            ++i;
        if (i - start != name.size() + 1)
            continue;
        const QChar lead = line[start];
        if (lead != QLatin1Char('/') && lead != QLatin1Char('-'))
            continue;
        if (QStringView(line).mid(start + 1, name.size()).compare(name, Qt::CaseInsensitive) == 0) {
            line.remove(start, i - start);
            return true;
        }
    }
    return false;
}

} // namespace

CommandLineRequest ParseCommandLine(const QString& commandLine)
{
    CommandLineRequest r;
    QString line = commandLine;
    // Both options are taken out, whichever comes first; embedding wins.
    const bool embedding = TakeOption(line, QStringLiteral("Embedding"));
    const bool automation = TakeOption(line, QStringLiteral("Automation"));
    r.commandLine = line.trimmed();
    if (embedding || automation) {
        r.action = embedding ? CommandLineRequest::Action::Embedding : CommandLineRequest::Action::Automation;
        return r;
    }
    const QString trimmed = r.commandLine;
    if (trimmed.isEmpty()) {
        r.action = CommandLineRequest::Action::NewDocument;
        return r;
    }
    // Only "-r" as a word of its own, so a document whose name starts with "-r" opens.
    if (trimmed == QLatin1String("-r") || trimmed.startsWith(QLatin1String("-r "))) {
        r.action = CommandLineRequest::Action::Register;
        return r;
    }
    QString path = trimmed;
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    r.action = CommandLineRequest::Action::OpenDocument;
    r.path = path;
    return r;
}
