#pragma once
// One editor per user session: a second launch hands its command (an open command in
// the DDE form, [open("path")]) to the running editor over a local socket and exits.
//
// The socket lives in a folder only this user can enter, and each side checks that
// the other runs as this user, so no other local user can take the name over.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QLocalSocket;

// The socket every launch of this user tries first; empty when no private folder can
// be had (then there is no hand-over, and every launch is an editor of its own).
QString DefaultInstanceName();

// A folder for this user's socket: created 0700 when missing; false (with why) when
// it is not a real folder owned by this user with no access for anybody else.
bool EnsurePrivateFolder(const QString& folder, QString* why = nullptr);

// The DDE form of the commands that open `path`, each short enough for the
// interpreter's buffer: quotes doubled, a long path handed over in [append("…")]
// pieces before the final [open("…")].
QStringList OpenCommandsFor(const QString& path);
// The same when the whole command fits.
QString OpenCommandFor(const QString& path);

class CInstanceServer : public QObject {
    Q_OBJECT
public:
    // The handler receives each command and answers whether it takes it; it runs the
    // command later if it cannot at once.
    using Handler = std::function<bool(const QString& command)>;

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

enum class HandOver {
    Delivered, // the running editor took every command
    Refused,   // it answered, but would not take a command
    NoEditor,  // nobody (trustworthy) answered: this launch is the editor
};

// Sends the commands to the editor listening at `name`, waiting for an answer to
// each.
HandOver SendToRunningInstance(const QString& name, const QStringList& commands, int timeoutMs = 3000);
