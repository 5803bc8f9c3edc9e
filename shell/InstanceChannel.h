#pragma once
// One editor per user session: a second launch hands its command (an open command in
// the DDE form, [open("path")]) to the running editor over a local socket and exits.
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

// The socket every launch of this user tries first.
QString DefaultInstanceName();

// The DDE form of an open command for a path.
QString OpenCommandFor(const QString& path);

class CInstanceServer : public QObject {
    Q_OBJECT
public:
    // The handler receives each command with a function that acknowledges it to the
    // sender; it is expected to acknowledge at once.
    using Handler = std::function<void(const QString& command, const std::function<void()>& acknowledge)>;

    explicit CInstanceServer(Handler handler, QObject* parent = nullptr);
    ~CInstanceServer() override;

    // Starts listening; a socket left behind by an editor that died is replaced.
    bool Listen(const QString& name);
    QString ServerName() const;

    // Commands longer than this are refused unread, so a sender cannot make us
    // allocate without bound.
    static constexpr int kMaxCommandBytes = 64 * 1024;

private:
    void OnConnection();
    void OnReadable(QLocalSocket* socket);

    Handler m_handler;
    QLocalServer* m_server = nullptr;
};

// Sends a command to the editor listening at `name` and waits for its
// acknowledgement; false when none is running or it does not answer in time.
bool SendToRunningInstance(const QString& name, const QString& command, int timeoutMs = 3000);
