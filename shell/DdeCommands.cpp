#include "shell/DdeCommands.h"

#include <QApplication>
#include <QWidget>

bool ParseDde(const QString& text, std::vector<DdeCommand>& out)
{
    int i = 0;
    const int n = text.size();
    auto skip = [&] {
        while (i < n && text[i].isSpace())
            ++i;
    };
    for (;;) {
        skip();
        if (i >= n)
            return !out.empty();
        if (text[i] != QLatin1Char('['))
            return false;
        ++i;
        skip();
        DdeCommand c;
        while (i < n && (text[i].isLetterOrNumber() || text[i] == QLatin1Char('_')))
            c.name += text[i++];
        skip();
        if (i < n && text[i] == QLatin1Char('(')) {
            ++i;
            for (;;) {
                skip();
                if (i < n && text[i] == QLatin1Char(')')) {
                    ++i;
                    break;
                }
                QString arg;
                if (i < n && text[i] == QLatin1Char('"')) {
                    // A quote inside the string is written twice.
                    ++i;
                    for (;;) {
                        if (i >= n)
                            return false;
                        if (text[i] == QLatin1Char('"')) {
                            if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                                arg += text[i];
                                i += 2;
                                continue;
                            }
                            ++i;
                            break;
                        }
                        arg += text[i++];
                    }
                } else {
                    while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char(')'))
                        arg += text[i++];
                    arg = arg.trimmed();
                }
                c.args << arg;
                skip();
                if (i < n && text[i] == QLatin1Char(','))
                    ++i;
                else if (!(i < n && text[i] == QLatin1Char(')')))
                    return false;
            }
        }
        skip();
        if (i >= n || text[i] != QLatin1Char(']') || c.name.isEmpty())
            return false;
        ++i;
        out.push_back(std::move(c));
    }
}

bool IsCommand(const DdeCommand& c, const char* name, int arguments)
{
    return c.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0 && c.args.size() == arguments;
}

bool Understood(const std::vector<DdeCommand>& commands)
{
    for (const DdeCommand& c : commands)
        if (!IsCommand(c, "open", 1) && !IsCommand(c, "new", 0) && !IsCommand(c, "append", 1))
            return false;
    return true;
}

CDdeExecute::CDdeExecute(QWidget* window, Interpreter interpreter, QObject* parent)
    : QObject(parent), m_window(window), m_interpreter(std::move(interpreter))
{
}

bool CDdeExecute::Held() const
{
    return !m_window || !m_window->isEnabled() || QApplication::activeModalWidget();
}

bool CDdeExecute::Execute(const QString& command, const std::function<void()>& acknowledge)
{
    const QString copied = command.left(kDdeCommandChars);
    if (acknowledge)
        acknowledge();
    if (Held())
        return false;
    emit commandAccepted(copied);
    m_interpreter(copied);
    return true;
}
