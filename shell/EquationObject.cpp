#include "shell/EquationObject.h"

#include "shell/QtApplication.h"
#include "document/AppState.h"
#include "document/EquationText.h"
#include "document/MolvexDoc.h"
#include "document/PictureExport.h"
#include "document/SrvrItem.h"
#include "platform/QtDeviceContext.h"
#include "platform/Render.h"
#include "shell/CommandIds.h"
#include "shell/EntryEdit.h"
#include "shell/InPlaceFrame.h"
#include "shell/MainFrame.h"
#include "shell/DocumentManager.h"
#include "shell/ShellHost.h"
#include "shell/ServerTables.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenuBar>
#include <QTimer>

namespace {
QByteArray Bytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}
} // namespace

CEquationObject::CEquationObject(IShellHost& app, QObject* parent) : QObject(parent), m_app(app) {}

CEquationObject::~CEquationObject()
{
    m_inPlace.reset();
    m_item.reset();
}

bool CEquationObject::Exists() const { return m_doc && !m_released; }

std::optional<EquationError> CEquationObject::TakeError() { return std::exchange(m_error, std::nullopt); }

bool CEquationObject::Fail(EquationError::Kind kind, const QString& message)
{
    m_error = EquationError{kind, message};
    return false;
}

bool CEquationObject::EnsureObject()
{
    if (m_released)
        return Fail(EquationError::Kind::Released, QStringLiteral("The object has been released."));
    if (m_doc)
        return Fail(EquationError::Kind::InUse, QStringLiteral("This process already serves an object."));
    m_doc = &m_app.Documents().Create();
    m_item = std::make_unique<CMolvexSrvrItem>(*m_doc);
    m_item->onChanged = [this] { emit Changed(); };
    m_item->onFocusEntry = [this] {
        if (CEntryEdit* edit = m_app.EntryEdit())
            edit->setFocus();
    };
    return true;
}

bool CEquationObject::Require()
{
    return Exists() || Fail(EquationError::Kind::NoObject, QStringLiteral("Call New or Load first."));
}

bool CEquationObject::TooLarge()
{
    // Measured before anything is recorded: the metafile's coordinates are 16 bits.
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    if (EquationFitsPicture(m_item->Placement(*screen).metrics.size))
        return false;
    return !Fail(EquationError::Kind::TooLarge, QStringLiteral("The picture is too large."));
}

bool CEquationObject::NeedsDisplay()
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        return false;
    return !Fail(EquationError::Kind::NoDisplay,
                 QStringLiteral("Showing the equation needs a display, and this process has none."));
}

bool CEquationObject::New() { return EnsureObject(); }

bool CEquationObject::Load(const QByteArray& data)
{
    if (m_released)
        return EnsureObject(); // says why not
    if (static_cast<std::size_t>(data.size()) > kMaxDocumentBytes)
        return Fail(EquationError::Kind::TooLarge,
                    QStringLiteral("The native data is larger than %1 bytes.").arg(kMaxDocumentBytes));
    const std::vector<std::uint8_t> bytes(data.begin(), data.end());
    // Loaded aside first: a failed first Load leaves no object behind.
    CMolvexDoc loaded(m_app.State());
    const DocResult r = loaded.LoadFromBytes(bytes);
    if (!r.ok)
        return Fail(EquationError::Kind::Format, QString::fromStdString(r.message));
    if (!m_doc && !EnsureObject())
        return false;
    const DocResult applied = m_doc->LoadFromBytes(bytes);
    if (!applied.ok)
        return Fail(EquationError::Kind::Format, QString::fromStdString(applied.message));
    m_doc->SetModifiedFlag(false);
    if (CEntryEdit* edit = m_app.EntryEdit())
        edit->SetTextQuietly(DocumentTextToEntry(m_doc->GetEquationText()));
    return true;
}

QByteArray CEquationObject::Save()
{
    if (!Require())
        return {};
    return Bytes(m_item->NativeData());
}

QByteArray CEquationObject::GetPicture(int& width, int& height)
{
    width = height = 0;
    if (!Require() || TooLarge())
        return {};
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    CMetafileDC dc(*screen);
    SIZE size{0, 0};
    m_item->OnDraw(dc, size);
    const QByteArray metafile = Bytes(dc.Close());
    width = size.cx;
    height = size.cy;
    return metafile;
}

QByteArray CEquationObject::GetSvg()
{
    if (!Require() || TooLarge())
        return {};
    std::string error;
    const QByteArray svg = RenderSvg(EquationDrawing(*m_doc), RenderSettings{}, &error);
    if (svg.isEmpty())
        Fail(EquationError::Kind::Render, QString::fromStdString(error));
    return svg;
}

QByteArray CEquationObject::GetSvgWithHint(int& width, int& height, int& lowering, int& level)
{
    width = height = lowering = level = 0;
    const QByteArray svg = GetSvg();
    if (svg.isEmpty())
        return svg;
    std::unique_ptr<CQtDC> screen = CreateScreenDC();
    const PicturePlacement placement = m_item->Placement(*screen);
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
        Fail(EquationError::Kind::InvalidArgs, QStringLiteral("The scale must be above 0 and at most %1.").arg(kMaxScale));
        return {};
    }
    if (TooLarge())
        return {};
    RenderSettings settings;
    settings.scale = scale;
    std::string error;
    const QByteArray png = RenderPng(EquationDrawing(*m_doc), settings, &error);
    if (png.isEmpty())
        Fail(EquationError::Kind::Render, QString::fromStdString(error));
    return png;
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
    if (static_cast<std::size_t>(text.size()) > kMaxDocumentBytes) {
        Fail(EquationError::Kind::InvalidArgs,
             QStringLiteral("The equation text is longer than %1 characters.").arg(kMaxDocumentBytes));
        return;
    }
    m_doc->SetEquationText(EntryTextToDocument(text));
    if (CEntryEdit* edit = m_app.EntryEdit())
        edit->SetTextQuietly(DocumentTextToEntry(m_doc->GetEquationText()));
}

QString CEquationObject::GetEquationText()
{
    if (!Require())
        return {};
    return DocumentTextToEntry(m_doc->GetEquationText());
}

QString CEquationObject::GetText(const QString& form)
{
    if (!Require())
        return {};
    const int style = m_doc->App().options.equilibriumArrow.Get();
    std::string text;
    if (form == QLatin1String("text"))
        text = EquationUnicodeText(*m_doc, style);
    else if (form == QLatin1String("speech"))
        text = EquationSpeech(*m_doc);
    else if (form == QLatin1String("mathml"))
        text = EquationMathML(*m_doc, style);
    else if (form == QLatin1String("mhchem"))
        text = EquationMhchem(*m_doc, style);
    else if (form == QLatin1String("starmath"))
        text = EquationStarMath(*m_doc, style);
    else
        Fail(EquationError::Kind::InvalidArgs,
             QStringLiteral("Unknown text form \"%1\" (text, speech, mathml, mhchem or starmath).").arg(form));
    return QString::fromStdString(text);
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
        frame->installEventFilter(this);
    }
    frame->showNormal();
    frame->ActivateFrame();
    frame->raise();
}

bool CEquationObject::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the equation's own window ends the session as Release does, so the
    // container keeps what it shows and the process goes. The save question may
    // cancel the close, so the end comes with the window's hiding, not its close.
    if (watched == m_app.MainFrame()) {
        if (event->type() == QEvent::Close)
            m_closeAsked = true;
        else if (event->type() == QEvent::Hide && m_closeAsked && !event->spontaneous() && !m_released && m_doc)
            QTimer::singleShot(0, this, [this] {
                if (!m_released && m_doc)
                    Release();
            });
    }
    return QObject::eventFilter(watched, event);
}

void CEquationObject::OpenWindow()
{
    if (Require() && !NeedsDisplay())
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
            m_app.showMessage(QStringLiteral("Molvex 2"), QCoreApplication::translate("CMolvexDoc", r.message.c_str()));
    }
}

void CEquationObject::ActivateInPlace(quint64 containerFrame, quint64 objectArea)
{
    if (!Require() || NeedsDisplay())
        return;
    m_inPlace.reset();
    auto frame = std::make_unique<CInPlaceFrame>(m_app, *m_doc);
    if (!frame->Activate(containerFrame, objectArea)) {
        Fail(EquationError::Kind::InvalidArgs, QStringLiteral("The window ids name no windows."));
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
    m_released = true;
    m_inPlace.reset();
    m_item.reset();
    emit Closed();
}
