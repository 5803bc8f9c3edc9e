#include "shell/InstanceChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/CommandLine.h"
#include "shell/DdeCommands.h"

namespace {

constexpr char kTaken = 0x01;
constexpr char kRefused = 0x02;

QByteArray Frame(const QByteArray& payload)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), out.data());
    return out + payload;
}

// The other end of a connected local socket runs as this user.
bool PeerIsThisUser(QLocalSocket& socket)
{
    const qintptr fd = socket.socketDescriptor();
    if (fd < 0)
        return false;
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(static_cast<int>(fd), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || length != sizeof peer)
        return false;
    return peer.uid == ::geteuid();
}

// The quoted-string form the DDE interpreter reads: a quote is written twice.
QString Escaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        out += c;
        if (c == QLatin1Char('"'))
            out += c;
    }
    return out;
}

} // namespace

bool EnsurePrivateFolder(const QString& folder, QString* why)
{
    auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QStringLiteral("cannot create %1: %2").arg(folder, QString::fromLocal8Bit(strerror(errno))));
    // lstat: a link planted in the shared folder must not lead us elsewhere.
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return fail(QStringLiteral("cannot examine %1").arg(folder));
    if (!S_ISDIR(st.st_mode))
        return fail(QStringLiteral("%1 is not a folder").arg(folder));
    if (st.st_uid != ::geteuid())
        return fail(QStringLiteral("%1 belongs to another user").arg(folder));
    if ((st.st_mode & 077) != 0)
        return fail(QStringLiteral("%1 is open to other users").arg(folder));
    return true;
}

QString DefaultInstanceName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder;
    if (!runtime.isEmpty() && EnsurePrivateFolder(runtime))
        folder = runtime;
    else
        folder = QDir::tempPath() + QStringLiteral("/molvex2-%1").arg(::geteuid());
    if (!EnsurePrivateFolder(folder))
        return {};
    return folder + QStringLiteral("/molvex2-instance");
}

QStringList OpenCommandsFor(const QString& path)
{
    static const QString kAppend = QStringLiteral("[append(\"%1\")]");
    static const QString kOpen = QStringLiteral("[open(\"%1\")]");
    const int room = kDdeCommandChars - (kAppend.size() - 2);
    QStringList commands;
    QString piece;
    for (qsizetype i = 0; i < path.size();) {
        // A quote and its double, or a surrogate pair, stay in one piece.
        const qsizetype n = path[i].isHighSurrogate() && i + 1 < path.size() ? 2 : 1;
        const QString unit = Escaped(QStringView(path).mid(i, n));
        if (piece.size() + unit.size() > room) {
            commands << kAppend.arg(piece);
            piece.clear();
        }
        piece += unit;
        i += n;
    }
    commands << kOpen.arg(piece);
    return commands;
}

QString OpenCommandFor(const QString& path) { return OpenCommandsFor(path).join(QString()); }

CInstanceServer::CInstanceServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::OnConnection);
}

CInstanceServer::~CInstanceServer() { m_server->close(); }

bool CInstanceServer::Listen(const QString& name)
{
    if (name.isEmpty())
        return false;
    if (m_server->listen(name))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    // Someone answers there: that is the running editor, not a leftover.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

QString CInstanceServer::ServerName() const { return m_server->fullServerName(); }

void CInstanceServer::OnConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (!PeerIsThisUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        if (socket->bytesAvailable() > 0)
            OnReadable(socket);
    }
}

void CInstanceServer::OnReadable(QLocalSocket* socket)
{
    // Every complete command in one go: the pieces of a long path, sent together,
    // are not interleaved with another launch's.
    while (socket->bytesAvailable() >= 4) {
        char head[4];
        socket->peek(head, 4);
        const quint32 size = qFromBigEndian<quint32>(head);
        if (size > static_cast<quint32>(kMaxCommandBytes)) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < 4 + static_cast<qint64>(size))
            return;
        socket->read(4);
        // Paths travel as the file system's bytes, which need not be UTF-8.
        const QString command = DecodeFileName(socket->read(size));
        const char answer = m_handler(command) ? kTaken : kRefused;
        socket->write(&answer, 1);
        socket->flush();
    }
}

HandOver SendToRunningInstance(const QString& name, const QStringList& commands, int timeoutMs)
{
    if (name.isEmpty())
        return HandOver::NoEditor;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs) || !PeerIsThisUser(socket))
        return HandOver::NoEditor;
    QByteArray frames;
    for (const QString& c : commands)
        frames += Frame(EncodeFileName(c));
    socket.write(frames);
    if (!socket.waitForBytesWritten(timeoutMs))
        return HandOver::NoEditor;
    for (qsizetype k = 0; k < commands.size(); ++k) {
        while (socket.bytesAvailable() < 1) {
            if (!socket.waitForReadyRead(timeoutMs))
                return k == 0 ? HandOver::NoEditor : HandOver::Refused;
        }
        char answer = 0;
        socket.read(&answer, 1);
        if (answer != kTaken)
            return HandOver::Refused;
    }
    socket.disconnectFromServer();
    return HandOver::Delivered;
}
