#include "shell/EquationServer.h"

#include "shell/QtApplication.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "document/SrvrItem.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "shell/CommandIds.h"
#include "shell/EntryEdit.h"
#include "shell/InPlaceFrame.h"
#include "shell/MainFrame.h"
#include "shell/MolvexApp.h"
#include "shell/ServerTables.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QTimer>

namespace {
const QString kErrorPrefix = QStringLiteral("com.tamrel.Molvex2.Error.");
const QString kInvalidArgs = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
} // namespace

bool StartEquationServer(CMolvexApp& app)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qWarning("No session bus: %s", qPrintable(bus.lastError().message()));
        return false;
    }
    auto* object = new CEquationObject(app, &app);
    if (!bus.registerObject(QString::fromLatin1(kEquationPath), object,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)) {
        qWarning("Cannot register the equation object");
        return false;
    }
    if (!bus.registerService(QString::fromLatin1(kEquationService))) {
        qWarning("Cannot own %s: %s", kEquationService, qPrintable(bus.lastError().message()));
        return false;
    }
    // Without windows nothing else would end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    return true;
}

CEquationObject::CEquationObject(CMolvexApp& app, QObject* parent) : QObject(parent), m_app(app) {}

CEquationObject::~CEquationObject()
{
    m_inPlace.reset();
    m_item.reset();
}

bool CEquationObject::HandOverCreation(const QString& method, const QVariantList& arguments)
{
    if (!calledFromDBus())
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The name has been given up, so the bus starts a fresh process for this call;
    // were it still ours, the call would come straight back.
    if (bus.interface()->serviceOwner(QString::fromLatin1(kEquationService)).value() == bus.baseService())
        return false;
    QDBusMessage forward = QDBusMessage::createMethodCall(QString::fromLatin1(kEquationService),
                                                          QString::fromLatin1(kEquationPath),
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

void CEquationObject::QuitWhenIdle()
{
    m_quitting = true;
    QDBusConnection::sessionBus().unregisterService(QString::fromLatin1(kEquationService));
    // The replies and signals leave before the process ends; hand-overs still
    // waiting for their fresh process are answered first.
    if (m_handOvers == 0)
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

bool CEquationObject::EnsureObject()
{
    if (m_released) {
        sendErrorReply(kErrorPrefix + QStringLiteral("Released"), QStringLiteral("The object has been released."));
        return false;
    }
    if (m_doc) {
        sendErrorReply(kErrorPrefix + QStringLiteral("InUse"), QStringLiteral("This process already serves an object."));
        return false;
    }
    m_doc = &m_app.CreateDocument();
    if (calledFromDBus())
        m_creator = message().service();
    m_item = std::make_unique<CMolvexSrvrItem>(*m_doc);
    m_item->onChanged = [this] { emit Changed(); };
    m_item->onFocusEntry = [this] {
        if (CEntryEdit* edit = m_app.EntryEdit())
            edit->setFocus();
    };

    QDBusConnection bus = QDBusConnection::sessionBus();
    // One object per process: the next creation starts another process.
    bus.unregisterService(QString::fromLatin1(kEquationService));
    return true;
}

bool CEquationObject::Require()
{
    if (m_doc && !m_released)
        return true;
    sendErrorReply(kErrorPrefix + QStringLiteral("NoObject"), QStringLiteral("Call New or Load first."));
    // A process whose first call made no object would otherwise wait for ever.
    if (!m_doc)
        QuitWhenIdle();
    return false;
}

bool CEquationObject::TooLarge(const EquationMetrics& m)
{
    if (m.size.cx <= kMaxPictureLogicalUnits && m.size.cy <= kMaxPictureLogicalUnits)
        return false;
    sendErrorReply(kErrorPrefix + QStringLiteral("TooLarge"), QStringLiteral("The picture is too large."));
    return true;
}

QByteArray CEquationObject::Reply(QByteArray bytes)
{
    // libdbus ends the process rather than send a message over its limit.
    if (bytes.size() <= kMaxReplyBytes)
        return bytes;
    sendErrorReply(kErrorPrefix + QStringLiteral("TooLarge"), QStringLiteral("The reply would be too large."));
    return {};
}

bool CEquationObject::NeedsDisplay()
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        return false;
    sendErrorReply(kErrorPrefix + QStringLiteral("NoDisplay"),
                   QStringLiteral("Showing the equation needs a display, and this process has none."));
    return true;
}

void CEquationObject::WatchContainer()
{
    if (!Require() || !calledFromDBus())
        return;
    // Only on request: a script's every gdbus call is a connection of its own that
    // leaves the bus at once.
    m_watcher = std::make_unique<QDBusServiceWatcher>(message().service(), QDBusConnection::sessionBus(),
                                                      QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher.get(), &QDBusServiceWatcher::serviceUnregistered, this, [this] { ReleaseObject(); });
}

QString CEquationObject::New()
{
    if ((m_doc || m_released) && HandOverCreation(QStringLiteral("New"), {}))
        return {};
    if (!EnsureObject())
        return {};
    return QDBusConnection::sessionBus().baseService();
}

QString CEquationObject::Load(const QByteArray& data)
{
    // Another container's Load, routed here by the well-known name before this
    // process gave it up, is for an object of its own.
    const bool forThisObject = !m_doc || (calledFromDBus() && message().service() == m_creator);
    if ((!forThisObject || m_released) && HandOverCreation(QStringLiteral("Load"), {data}))
        return {};
    if (m_released) {
        EnsureObject(); // answers why not
        return {};
    }
    if (data.size() > kMaxServerInputBytes) {
        sendErrorReply(kErrorPrefix + QStringLiteral("TooLarge"),
                       QStringLiteral("The native data is larger than %1 bytes.").arg(kMaxServerInputBytes));
        if (!m_doc)
            QuitWhenIdle();
        return {};
    }
    // Loaded aside first: a failed first Load leaves no object behind.
    MolvexAppState& state = m_app.State();
    CMolvexDoc loaded(state);
    const DocResult r = loaded.LoadFromBytes(std::vector<std::uint8_t>(data.begin(), data.end()));
    if (!r.ok) {
        sendErrorReply(kErrorPrefix + QStringLiteral("Format"), QString::fromStdString(r.message));
        if (!m_doc)
            QuitWhenIdle();
        return {};
    }
    if (!m_doc && !EnsureObject())
        return {};
    const DocResult applied = m_doc->LoadFromBytes(std::vector<std::uint8_t>(data.begin(), data.end()));
    if (!applied.ok) {
        sendErrorReply(kErrorPrefix + QStringLiteral("Format"), QString::fromStdString(applied.message));
        return {};
    }
    m_doc->SetModifiedFlag(false);
    if (CEntryEdit* edit = m_app.EntryEdit())
        edit->SetTextQuietly(DocumentTextToEntry(m_doc->GetEquationText()));
    return QDBusConnection::sessionBus().baseService();
}

QByteArray CEquationObject::Save()
{
    if (!Require())
        return {};
    const std::vector<std::uint8_t> bytes = m_item->NativeData();
    return Reply(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}

QByteArray CEquationObject::GetPicture(int& width, int& height)
{
    width = height = 0;
    if (!Require())
        return {};
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    // Checked before anything is recorded: the metafile's coordinates are 16 bits.
    if (TooLarge(m_item->Placement(*screen).metrics))
        return {};
    CMetafileDC dc(*screen);
    SIZE size{0, 0};
    m_item->OnDraw(dc, size);
    const std::vector<std::uint8_t> bytes = dc.Close();
    QByteArray reply = Reply(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    if (!reply.isEmpty()) {
        width = size.cx;
        height = size.cy;
    }
    return reply;
}

QByteArray CEquationObject::GetSvg()
{
    if (!Require())
        return {};
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    if (TooLarge(m_item->Placement(*screen).metrics))
        return {};
    std::string error;
    const QByteArray svg = RenderSvg(EquationDrawing(*m_doc), RenderSettings{}, &error);
    if (svg.isEmpty())
        sendErrorReply(kErrorPrefix + QStringLiteral("Render"), QString::fromStdString(error));
    return Reply(svg);
}

QByteArray CEquationObject::GetSvgWithHint(int& width, int& height, int& lowering, int& level)
{
    width = height = lowering = level = 0;
    if (!Require())
        return {};
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    const PicturePlacement placement = m_item->Placement(*screen);
    if (TooLarge(placement.metrics))
        return {};
    std::string error;
    const QByteArray svg = Reply(RenderSvg(EquationDrawing(*m_doc), RenderSettings{}, &error));
    if (svg.isEmpty() && !error.empty())
        sendErrorReply(kErrorPrefix + QStringLiteral("Render"), QString::fromStdString(error));
    if (svg.isEmpty())
        return svg;
    width = placement.himetricSize.cx;
    height = placement.himetricSize.cy;
    lowering = placement.himetricLowering;
    IntOption levelAdjust = m_app.State().levelAdjust;
    level = levelAdjust.Get();
    return svg;
}

QByteArray CEquationObject::GetPng(double scale)
{
    if (!Require())
        return {};
    if (!(scale > 0.0 && scale <= kMaxScale)) {
        sendErrorReply(kInvalidArgs, QStringLiteral("The scale must be above 0 and at most %1.").arg(kMaxScale));
        return {};
    }
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    if (TooLarge(m_item->Placement(*screen).metrics))
        return {};
    RenderSettings settings;
    settings.scale = scale;
    std::string error;
    const QByteArray png = RenderPng(EquationDrawing(*m_doc), settings, &error);
    if (png.isEmpty())
        sendErrorReply(kErrorPrefix + QStringLiteral("Render"), QString::fromStdString(error));
    return Reply(png);
}

bool CEquationObject::GetExtent(uint aspect, int& width, int& height)
{
    width = height = 0;
    if (!Require())
        return false;
    SIZE size{0, 0};
    const bool ok = m_item->OnGetExtent(static_cast<int>(aspect), size);
    width = size.cx;
    height = size.cy;
    return ok;
}

void CEquationObject::SetEquationText(const QString& text)
{
    if (!Require())
        return;
    if (text.size() > kMaxServerInputBytes) {
        sendErrorReply(kInvalidArgs, QStringLiteral("The equation text is longer than %1 characters.").arg(kMaxServerInputBytes));
        return;
    }
    const std::string docText = EntryTextToDocument(text);
    m_doc->SetEquationText(docText);
    if (CEntryEdit* edit = m_app.EntryEdit())
        edit->SetTextQuietly(DocumentTextToEntry(m_doc->GetEquationText()));
}

QString CEquationObject::GetEquationText()
{
    if (!Require())
        return {};
    return DocumentTextToEntry(m_doc->GetEquationText());
}

void CEquationObject::ShowServerFrame()
{
    CMainFrame* frame = m_app.MainFrame();
    if (!frame)
        return;
    if (!m_frameHooked) {
        m_frameHooked = true;
        CCommandSet& commands = frame->Commands();
        // The frame's own Save keys would shadow Update's Ctrl+S.
        for (const auto& [id, action] : commands.Actions())
            action->setShortcuts({});
        frame->menuBar()->clear();
        commands.BuildMenuBar(frame->menuBar(), OpenServerMenuTable());
        commands.ApplyAccelerators(OpenServerAccelTable());
        connect(&commands, &CCommandSet::commandTriggered, this, &CEquationObject::OnFrameCommand);
        frame->AddDocumentWindow(*m_doc);
    }
    frame->showNormal();
    frame->ActivateFrame();
    frame->raise();
}

void CEquationObject::OpenWindow()
{
    if (!Require() || NeedsDisplay())
        return;
    ShowServerFrame();
}

void CEquationObject::OnFrameCommand(int id)
{
    if (!m_doc || m_released)
        return;
    if (id == cmd::FileUpdate) {
        emit Updated(Save());
        m_doc->SetModifiedFlag(false);
    } else if (id == cmd::FileSaveCopyAs) {
        const QString path = m_app.askSavePath ? m_app.askSavePath(QString()) : QString();
        if (path.isEmpty())
            return;
        const DocResult r = m_doc->SaveFile(path.toStdString());
        if (!r.ok && m_app.showMessage)
            m_app.showMessage(QStringLiteral("Molvex 2"), QString::fromStdString(r.message));
    }
}

void CEquationObject::ActivateInPlace(qulonglong containerFrame, qulonglong objectArea)
{
    if (!Require() || NeedsDisplay())
        return;
    m_inPlace.reset();
    auto frame = std::make_unique<CInPlaceFrame>(m_app, *m_doc);
    if (!frame->Activate(containerFrame, objectArea)) {
        sendErrorReply(kInvalidArgs, QStringLiteral("The window ids name no windows."));
        return;
    }
    // Esc ends the session from inside; deleting the frame from its own signal is
    // unsafe, so it goes once control is back in the event loop.
    connect(frame.get(), &CInPlaceFrame::deactivateRequested, this,
            [this] { QTimer::singleShot(0, this, [this] { Deactivate(); }); });
    m_inPlace = std::move(frame);
}

void CEquationObject::Deactivate()
{
    if (!m_inPlace)
        return;
    m_inPlace.reset();
    emit Updated(m_item ? Save() : QByteArray());
}

void CEquationObject::Release()
{
    if (!Require())
        return;
    ReleaseObject();
}

void CEquationObject::ReleaseObject()
{
    if (m_released)
        return;
    m_released = true;
    m_inPlace.reset();
    m_item.reset();
    emit Closed();
    QuitWhenIdle();
}
