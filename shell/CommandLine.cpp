#include "shell/CommandLine.h"


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
