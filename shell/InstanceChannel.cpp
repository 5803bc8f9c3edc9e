#include "shell/InstanceChannel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

namespace {

constexpr char kAck = 0x01;

QByteArray Frame(const QByteArray& payload)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), out.data());
    return out + payload;
}

} // namespace

QString DefaultInstanceName()
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !QDir(folder).exists())
        return QStringLiteral("molvex2-%1").arg(qEnvironmentVariable("USER", QStringLiteral("user")));
    return folder + QStringLiteral("/molvex2-instance");
}

QString OpenCommandFor(const QString& path) { return QStringLiteral("[open(\"%1\")]").arg(path); }

CInstanceServer::CInstanceServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CInstanceServer::OnConnection);
}

CInstanceServer::~CInstanceServer() { m_server->close(); }

bool CInstanceServer::Listen(const QString& name)
{
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
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        if (socket->bytesAvailable() > 0)
            OnReadable(socket);
    }
}

void CInstanceServer::OnReadable(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < 4)
        return;
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
    const QString command = QString::fromUtf8(socket->read(size));
    QPointer<QLocalSocket> guard(socket);
    auto acknowledge = [guard] {
        if (guard) {
            guard->write(&kAck, 1);
            guard->flush();
        }
    };
    m_handler(command, acknowledge);
}

bool SendToRunningInstance(const QString& name, const QString& command, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Frame(command.toUtf8()));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    char ack = 0;
    socket.read(&ack, 1);
    socket.disconnectFromServer();
    return ack == kAck;
}
