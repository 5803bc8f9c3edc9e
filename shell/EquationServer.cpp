#include "shell/EquationServer.h"

#include "shell/QtApplication.h"
#include "EquationAdaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QTimer>

namespace {

const QString kService = QString::fromLatin1(kEquationService);

QString ErrorName(EquationError::Kind kind)
{
    using Kind = EquationError::Kind;
    switch (kind) {
    case Kind::Released: return QStringLiteral("com.tamrel.Molvex2.Error.Released");
    case Kind::InUse: return QStringLiteral("com.tamrel.Molvex2.Error.InUse");
    case Kind::NoObject: return QStringLiteral("com.tamrel.Molvex2.Error.NoObject");
    case Kind::Format: return QStringLiteral("com.tamrel.Molvex2.Error.Format");
    case Kind::Render: return QStringLiteral("com.tamrel.Molvex2.Error.Render");
    case Kind::TooLarge: return QStringLiteral("com.tamrel.Molvex2.Error.TooLarge");
    case Kind::NoDisplay: return QStringLiteral("com.tamrel.Molvex2.Error.NoDisplay");
    case Kind::InvalidArgs: break;
    }
    return QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
}

qsizetype ReplySize(const QByteArray& bytes) { return bytes.size(); }
template <typename T>
qsizetype ReplySize(const T&)
{
    return 0;
}

} // namespace

bool StartEquationServer(IShellHost& host, QObject* owner)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qWarning("No session bus: %s", qPrintable(bus.lastError().message()));
        return false;
    }
    auto* object = new CEquationBus(host, owner);
    new CEquationAdaptor(object);
    if (!bus.registerObject(QString::fromLatin1(kEquationPath), object)) {
        qWarning("Cannot register the equation object");
        return false;
    }
    if (!bus.registerService(kService)) {
        qWarning("Cannot own %s: %s", kEquationService, qPrintable(bus.lastError().message()));
        return false;
    }
    // Without windows nothing else would end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    return true;
}

CEquationBus::CEquationBus(IShellHost& host, QObject* parent) : QObject(parent), m_object(host)
{
    connect(&m_object, &CEquationObject::Changed, this, &CEquationBus::Changed);
    connect(&m_object, &CEquationObject::Updated, this, &CEquationBus::Updated);
    connect(&m_object, &CEquationObject::Closed, this, &CEquationBus::Closed);
}

CEquationBus::~CEquationBus() = default;

template <typename T>
T CEquationBus::Answer(T value)
{
    std::optional<EquationError> error = m_object.TakeError();
    if (!error && ReplySize(value) > kMaxReplyBytes)
        error = EquationError{EquationError::Kind::TooLarge, QStringLiteral("The reply would be too large.")};
    if (error) {
        sendErrorReply(ErrorName(error->kind), error->message);
        value = T{};
    }
    // A process whose first call made no object would otherwise wait for ever.
    if (!m_object.Exists())
        QuitWhenIdle();
    return value;
}

void CEquationBus::Answer() { (void)Answer(0); }

bool CEquationBus::HandOverCreation(const QString& method, const QVariantList& arguments)
{
    if (!calledFromDBus())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The name has been given up, so the bus starts a fresh process for this call;
    // were it still ours, the call would come straight back.
    if (bus.interface()->serviceOwner(kService).value() == bus.baseService())
        return false;
    QDBusMessage forward = QDBusMessage::createMethodCall(kService, QString::fromLatin1(kEquationPath),
                                                          QString::fromLatin1(kEquationInterface), method);
    forward.setArguments(arguments);
    setDelayedReply(true);
    const QDBusMessage request = message();
    ++m_handOvers;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(forward, -1), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, request, watcher] {
        const QDBusMessage answer = watcher->reply();
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (answer.type() == QDBusMessage::ReplyMessage)
            bus.send(request.createReply(answer.arguments()));
        else
            bus.send(request.createErrorReply(answer.errorName(), answer.errorMessage()));
        watcher->deleteLater();
        --m_handOvers;
        if (m_quitting)
            QuitWhenIdle();
    });
    return true;
}

void CEquationBus::Created()
{
    if (calledFromDBus())
        m_creator = message().service();
    // One object per process: the next creation starts another process.
    QDBusConnection::sessionBus().unregisterService(kService);
}

void CEquationBus::QuitWhenIdle()
{
    m_quitting = true;
    QDBusConnection::sessionBus().unregisterService(kService);
    // The replies and signals leave before the process ends; hand-overs still
    // waiting for their fresh process are answered first.
    if (m_handOvers == 0)
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

QString CEquationBus::New()
{
    if ((m_object.Exists() || m_object.IsReleased()) && HandOverCreation(QStringLiteral("New"), {}))
        return {};
    if (m_object.New())
        Created();
    return Answer(QDBusConnection::sessionBus().baseService());
}

QString CEquationBus::Load(const QByteArray& data)
{
    // Another container's Load, routed here by the well-known name before this
    // process gave it up, is for an object of its own.
    const bool forThisObject =
        !m_object.Exists() || (calledFromDBus() && message().service() == m_creator);
    if ((!forThisObject || m_object.IsReleased()) && HandOverCreation(QStringLiteral("Load"), {data}))
        return {};
    const bool existed = m_object.Exists();
    if (m_object.Load(data) && !existed)
        Created();
    return Answer(QDBusConnection::sessionBus().baseService());
}

void CEquationBus::WatchContainer()
{
    if (m_object.Exists() && calledFromDBus()) {
        // Only on request: a script's every gdbus call is a connection of its own
        // that leaves the bus at once.
        m_watcher = std::make_unique<QDBusServiceWatcher>(message().service(), QDBusConnection::sessionBus(),
                                                          QDBusServiceWatcher::WatchForUnregistration);
        connect(m_watcher.get(), &QDBusServiceWatcher::serviceUnregistered, this, [this] {
            m_object.Release();
            QuitWhenIdle();
        });
        return;
    }
    sendErrorReply(ErrorName(EquationError::Kind::NoObject), QStringLiteral("Call New or Load first."));
    if (!m_object.Exists())
        QuitWhenIdle();
}

QByteArray CEquationBus::Save() { return Answer(m_object.Save()); }
QByteArray CEquationBus::GetPicture(int& width, int& height) { return Answer(m_object.GetPicture(width, height)); }
QByteArray CEquationBus::GetSvg() { return Answer(m_object.GetSvg()); }
QByteArray CEquationBus::GetSvgWithHint(int& width, int& height, int& lowering, int& level)
{
    return Answer(m_object.GetSvgWithHint(width, height, lowering, level));
}
QByteArray CEquationBus::GetPng(double scale) { return Answer(m_object.GetPng(scale)); }
bool CEquationBus::GetExtent(uint aspect, int& width, int& height)
{
    return Answer(m_object.GetExtent(aspect, width, height));
}
void CEquationBus::SetEquationText(const QString& text)
{
    m_object.SetEquationText(text);
    Answer();
}
QString CEquationBus::GetEquationText() { return Answer(m_object.GetEquationText()); }
QString CEquationBus::GetText(const QString& form) { return Answer(m_object.GetText(form)); }
void CEquationBus::OpenWindow()
{
    m_object.OpenWindow();
    Answer();
}
void CEquationBus::ActivateInPlace(qulonglong containerFrame, qulonglong objectArea)
{
    m_object.ActivateInPlace(containerFrame, objectArea);
    Answer();
}
void CEquationBus::Deactivate()
{
    m_object.Deactivate();
    Answer();
}
void CEquationBus::Release()
{
    m_object.Release();
    Answer();
}
