#include "shell/MolvexApp.h"
#include "shell/ShellResources.h"

#include "shell/QtApplication.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include "document/DefaultConfig.h"
#include "document/MolvexDoc.h"
#include "shell/AppDialogs.h"
#include "shell/CommandIds.h"
#include "shell/CommandLine.h"
#include "shell/DdeCommands.h"
#include "shell/EntryEdit.h"
#include "shell/EquationServer.h"
#include "shell/HelpCommands.h"
#include "shell/InstanceChannel.h"
#include "shell/LevelDialog.h"
#include "shell/MainFrame.h"
#include "shell/PrintCommands.h"
#include "shell/Registration.h"
#include "shell/Translations.h"

namespace {

// The program's folder (which tests move) and the system configuration folders.
DefaultConfigPlaces DefaultConfigPlacesFor(const QString& programFolder)
{
    return DefaultConfigSearch(programFolder.toStdString(), qEnvironmentVariable("XDG_CONFIG_DIRS").toStdString());
}

// A path assembled from pieces longer than this is refused: no file system takes it.
constexpr int kMaxPendingPathChars = 32 * 1024;
// How often queued commands look whether the modal dialog has gone.
constexpr int kQueueRetryMs = 200;

} // namespace

namespace {

// The view is painted by hand; to assistive technology it is a picture, named and
// described by the view itself.
QAccessibleInterface* ViewAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("CMolvexView"))
        if (auto* widget = qobject_cast<QWidget*>(object))
            return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

CMolvexApp::CMolvexApp(QObject* parent)
    : QObject(parent), m_documents(m_state, *this), m_entryEdit(std::make_unique<CEntryEdit>()),
      m_fileDialogs(std::make_unique<CFileDialogs>()), m_printing(std::make_unique<CPrinting>())
{
    m_queueRetry.setSingleShot(true);
    connect(&m_queueRetry, &QTimer::timeout, this, &CMolvexApp::RunQueuedCommands);
    InitShellResources();
    // Qt keeps a list of factories; the view's is added once whatever the number of
    // application objects (tests make several).
    QAccessible::removeFactory(ViewAccessible);
    QAccessible::installFactory(ViewAccessible);
    instanceName = DefaultInstanceName();
    showMessage = [](const QString& caption, const QString& text) {
        QMessageBox::information(QApplication::activeWindow(), caption, text);
    };
    confirm = [](const QString& caption, const QString& text) {
        return QMessageBox::question(QApplication::activeWindow(), caption, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
    // The question's title is the document's name: the desktop adds the program's.
    askToSave = [](const QString& title) {
        return static_cast<int>(QMessageBox::question(QApplication::activeWindow(), title,
                                                      tr("Save changes to %1?").arg(title),
                                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                                      QMessageBox::Yes));
    };
    askToSaveMany = [](const QStringList& titles) -> std::optional<QList<int>> {
        CSaveChangesDialog dialog(titles, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Chosen();
    };
    askSavePath = [this](const QString& suggested) {
        return m_fileDialogs->AskSavePath(QApplication::activeWindow(), suggested, m_documents.RecentFiles());
    };
    askExport = [this](const QString& suggestedName) {
        return m_fileDialogs->AskExport(QApplication::activeWindow(), suggestedName, m_documents.RecentFiles());
    };
    askOpenPaths = [this] {
        return m_fileDialogs->AskOpenPaths(QApplication::activeWindow(), m_documents.RecentFiles());
    };
}

CMolvexApp::~CMolvexApp()
{
    // Windows first: each document window takes its document with it.
    m_dde.reset();
    m_mainFrame.reset();
}

QString CMolvexApp::ProgramFolder() const
{
    if (!programFolder.isEmpty())
        return programFolder;
    return QString::fromStdString(CIniStore::ProgramFolder());
}

bool CMolvexApp::InitInstance(const QStringList& arguments)
{
    // The stores (named by the state): per-user configuration files, loaded once; a
    // missing file is fine.
    m_state.mainStore.Load();
    m_state.adjustStore.Load();

    // The program's own settings (the recent-file list) live under the company key.
    QCoreApplication::setOrganizationName(QStringLiteral("Tamrel Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Molvex"));

    m_state.options.Define();
    m_state.options.Load(m_state.mainStore);
    m_state.levelAdjust.Load(m_state.mainStore);
    m_documents.LoadRecentFiles();

    if (const auto error = ImportDefaultConfigFile(m_state, DefaultConfigPlacesFor(ProgramFolder())))
        showMessage(SaveErrorCaption(*error), SaveErrorText(*error));

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    for (CIniStore* store : {&m_state.mainStore, &m_state.adjustStore}) {
        if (!store->Unreadable().empty())
            m_mainFrame->WarnSettingsUnread(QFile::decodeName(store->GetPath().c_str()),
                                            QString::fromLocal8Bit(store->Unreadable().c_str()));
    }
    m_dde = std::make_unique<CDdeExecute>(m_mainFrame.get(), [this](const QString& c) { return OnDDECommand(c); });

    const CommandLineRequest request = ParseCommandLine(JoinArguments(arguments));
    using Action = CommandLineRequest::Action;
    if (request.action == Action::Embedding || request.action == Action::Automation) {
        m_embedded = true;
        return StartEquationServer(*this, this);
    }

    switch (request.action) {
    case Action::Register: {
        const QString root = registrationFolder.isEmpty() ? UserDataHome() : registrationFolder;
        const RegistrationResult r = WriteRegistration(root, QCoreApplication::applicationFilePath());
        if (!r.ok)
            qWarning("%s", qPrintable(r.error));
        return false;
    }
    case Action::NewDocument: m_documents.New(); break;
    case Action::OpenDocument:
        if (m_documents.Open(request.path))
            m_mainFrame->ActivateFrame();
        break;
    default: break;
    }

    StartInstanceServer();
    m_mainFrame->showNormal();
    m_mainFrame->repaint();
    m_containerUpdate.Raise();
    return true;
}

void CMolvexApp::StartInstanceServer()
{
    if (instanceName.isEmpty())
        return;
    m_instanceServer =
        std::make_unique<CInstanceServer>([this](const QString& command) { return OnInstanceCommand(command); });
    m_instanceServer->Listen(instanceName);
}

bool CMolvexApp::OnDDECommand(const QString& command)
{
    std::vector<DdeCommand> commands;
    if (!ParseDde(command, commands) || !Understood(commands)) {
        m_pendingPath.clear();
        return false;
    }
    for (const DdeCommand& c : commands) {
        if (IsCommand(c, "append", 1)) {
            m_pendingPath += c.args[0];
            if (m_pendingPath.size() > kMaxPendingPathChars) {
                m_pendingPath.clear();
                return false;
            }
        } else if (IsCommand(c, "open", 1)) {
            const QString path = m_pendingPath + c.args[0];
            m_pendingPath.clear();
            if (!m_documents.Open(path))
                return false;
            if (m_mainFrame)
                m_mainFrame->ActivateFrame();
        } else {
            m_pendingPath.clear();
            m_documents.New();
        }
    }
    if (m_mainFrame && m_mainFrame->isVisible()) {
        // The user asked for the document: show the editor where it is.
        if (m_mainFrame->isMinimized())
            m_mainFrame->showNormal();
        m_mainFrame->raise();
        m_mainFrame->activateWindow();
    }
    return true;
}

bool CMolvexApp::OnInstanceCommand(const QString& command)
{
    std::vector<DdeCommand> commands;
    if (command.size() > kDdeCommandChars || !ParseDde(command, commands) || !Understood(commands))
        return false;
    // Run once the answer has left: a command that asks the user something (a file
    // that cannot be opened) must not keep the other launch waiting for it.
    m_queuedCommands << command;
    if (!m_queueRetry.isActive())
        m_queueRetry.start(0);
    return true;
}

void CMolvexApp::RunQueuedCommands()
{
    while (!m_queuedCommands.isEmpty()) {
        // A modal dialog holds the editor: the commands wait, in order, until it closes.
        if (!m_dde || m_dde->Held()) {
            if (!m_queueRetry.isActive())
                m_queueRetry.start(kQueueRetryMs);
            return;
        }
        m_dde->Execute(m_queuedCommands.takeFirst(), {});
    }
    m_queueRetry.stop();
}

bool CMolvexApp::OnAppCommand(int id, QWidget* parent)
{
    switch (id) {
    case cmd::AppAbout: {
        CAboutDialog dialog(parent);
        dialog.exec();
        return true;
    }
    case cmd::AboutTamrel: {
        CContactDialog dialog(parent);
        dialog.exec();
        return true;
    }
    case cmd::AdjustLevel: RunAdjustLevelCommand(m_state, parent); return true;
    case cmd::WriteDefaultConfig: {
        // The file sets up every user of the machine: say so, and where, before writing.
        const std::string folder = DefaultConfigPlacesFor(ProgramFolder()).systemFolders.front();
        const QString path = QString::fromStdString(DefaultConfigPath(folder));
        if (!confirm || !confirm(tr("Write Default Configuration File"),
                                 tr("Write your current options and level adjustment to\n%1?\n\nThey become the "
                                    "settings of every user of this computer the next time each starts Molvex 2.")
                                     .arg(path)))
            return true;
        std::vector<IniSaveError> errors;
        const std::string text = WriteDefaultConfigFile(m_state, errors, folder);
        for (const IniSaveError& e : errors)
            showMessage(SaveErrorCaption(e), SaveErrorText(e));
        if (!text.empty())
            showMessage(QStringLiteral("Molvex 2"),
                        QCoreApplication::translate("DefaultConfig", kDefaultConfigWritten).arg(path));
        return true;
    }
    case cmd::FilePrintSetup: m_printing->PageSetup(parent); return true;
    case cmd::ReadHelpFile:
    case cmd::Help:
    case cmd::HelpIndex:
    case cmd::HelpUsing:
    case cmd::ReadManual:
    case cmd::ReadQuickrefCard: {
        const HelpDocument which = id == cmd::ReadManual         ? HelpDocument::Manual
                                   : id == cmd::ReadQuickrefCard ? HelpDocument::QuickrefCard
                                                                 : HelpDocument::HelpFile;
        const QString path = HelpDocumentPath(which, ProgramFolder());
        // The opener may find only later that nothing can show the file.
        const auto report = [self = QPointer<CMolvexApp>(this), which, path](HelpOutcome outcome) {
            const HelpMessage m = MessageFor(outcome, which, path);
            if (self && !m.caption.isEmpty() && self->showMessage)
                self->showMessage(m.caption, m.text);
        };
        report(OpenHelpDocument(which, ProgramFolder(), DesktopHelpOpener(),
                                [report] { report(HelpOutcome::NoViewer); }));
        return true;
    }
    default: return false;
    }
}
