#pragma once
// DDE-style commands another launch hands over: their syntax, and how one is taken
// in (acknowledged at once, run unless a modal dialog holds the editor).
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

// What a DDE execute buffer holds; every command on the wire fits in it.
constexpr int kDdeCommandChars = 519;

struct DdeCommand {
    QString name;
    QStringList args;
};

// Splits "[open("a")][new()]" into commands with their arguments; false on a syntax
// error.
bool ParseDde(const QString& text, std::vector<DdeCommand>& out);
// The command's name in any case, with this many arguments.
bool IsCommand(const DdeCommand& c, const char* name, int arguments);
// The commands another launch may send: [open("path")], [new()], and [append("piece")]
// for the leading pieces of a path too long for one command.
bool Understood(const std::vector<DdeCommand>& commands);

// Takes a command in for the interpreter on behalf of the editor's window.
class CDdeExecute : public QObject {
    Q_OBJECT
public:
    using Interpreter = std::function<bool(const QString& command)>;
    CDdeExecute(QWidget* window, Interpreter interpreter, QObject* parent = nullptr);

    // True while the window is disabled or a modal dialog is open: commands wait.
    bool Held() const;
    // Copies what the buffer holds and acknowledges at once, then runs the command
    // unless the editor is held. True when it was run.
    bool Execute(const QString& command, const std::function<void()>& acknowledge);

signals:
    // The command text taken, as handed to the interpreter.
    void commandAccepted(const QString& command);

private:
    QPointer<QWidget> m_window;
    Interpreter m_interpreter;
};
