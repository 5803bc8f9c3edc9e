#include "shell/DocumentManager.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

#include "document/MolvexDoc.h"
#include "shell/CommandLine.h"
#include "shell/UserPrompts.h"

namespace {

const char* const kDocExtension = ".mv2";
const char* const kNewDocBase = "Molvex";

bool SamePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() ? ca == cb : QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

struct CDocumentManager::Entry {
    std::unique_ptr<CMolvexDoc> doc;
    QString path;
    QString title;
};

CDocumentManager::CDocumentManager(MolvexAppState& state, UserPrompts& prompts, QObject* parent)
    : QObject(parent), m_state(state), m_prompts(prompts)
{
}

CDocumentManager::~CDocumentManager() = default;

CMolvexDoc& CDocumentManager::Adopt(std::unique_ptr<CMolvexDoc> doc, const QString& path)
{
    auto entry = std::make_unique<Entry>();
    entry->doc = std::move(doc);
    entry->path = path;
    entry->title = path.isEmpty() ? QStringLiteral("%1%2").arg(QString::fromLatin1(kNewDocBase)).arg(++m_untitledCount)
                                  : QFileInfo(path).fileName();
    CMolvexDoc& adopted = *entry->doc;
    m_docs.push_back(std::move(entry));
    return adopted;
}

CMolvexDoc& CDocumentManager::Create() { return Adopt(std::make_unique<CMolvexDoc>(m_state), QString()); }

CMolvexDoc& CDocumentManager::New()
{
    CMolvexDoc& doc = Create();
    emit documentOpened(doc);
    return doc;
}

void CDocumentManager::OpenAsked()
{
    const QStringList paths = m_prompts.askOpenPaths ? m_prompts.askOpenPaths() : QStringList();
    for (const QString& p : paths)
        Open(p);
}

namespace {

// The document layer's message (marked there for translation) in the user's language,
// with the system's reason below it ("No space left on device"): without it the user
// cannot tell a full disk from a missing folder.
QString DocumentMessage(const DocResult& result, const char* fallback)
{
    QString text = QCoreApplication::translate("CMolvexDoc", result.message.empty() ? fallback : result.message.c_str());
    if (!result.reason.empty())
        text += QLatin1Char('\n') + QString::fromLocal8Bit(result.reason.c_str());
    return text;
}

} // namespace

CMolvexDoc* CDocumentManager::Open(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const auto& e : m_docs) {
        if (SamePath(e->path, absolute)) {
            emit activationRequested(*e->doc);
            return e->doc.get();
        }
    }
    // The document is built aside and joins the others only when it has loaded.
    auto doc = std::make_unique<CMolvexDoc>(m_state);
    const DocResult result = doc->OpenFile(EncodeFileName(absolute).toStdString());
    if (!result.ok) {
        const QString reason = DocumentMessage(result, QT_TRANSLATE_NOOP("CMolvexDoc", "Unexpected file format."));
        if (m_prompts.showMessage)
            m_prompts.showMessage(QStringLiteral("Molvex"), QStringLiteral("%1\n\n%2").arg(absolute, reason));
        return nullptr;
    }
    CMolvexDoc& opened = Adopt(std::move(doc), absolute);
    AddToRecentFiles(absolute);
    emit documentOpened(opened);
    return &opened;
}

bool CDocumentManager::Save(CMolvexDoc& doc, bool askForName)
{
    Entry* e = Find(doc);
    if (!e)
        return false;
    QString path = e->path;
    if (askForName || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? e->title + QString::fromLatin1(kDocExtension) : path;
        path = m_prompts.askSavePath ? m_prompts.askSavePath(suggested) : QString();
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QString::fromLatin1(kDocExtension);
    }
    return SaveTo(doc, path);
}

bool CDocumentManager::SaveTo(CMolvexDoc& doc, const QString& path)
{
    Entry* e = Find(doc);
    if (!e)
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const DocResult result = doc.SaveFile(EncodeFileName(absolute).toStdString());
    if (!result.ok) {
        // The document keeps its modified mark: nothing was saved.
        const QString reason = DocumentMessage(result, QT_TRANSLATE_NOOP("CMolvexDoc", "Failed to save document."));
        if (m_prompts.showMessage)
            m_prompts.showMessage(tr("File Save Error"), QStringLiteral("%1\n\n%2").arg(absolute, reason));
        return false;
    }
    doc.SetModifiedFlag(false);
    e->path = absolute;
    e->title = QFileInfo(absolute).fileName();
    AddToRecentFiles(absolute);
    emit titleChanged(doc);
    return true;
}

bool CDocumentManager::QueryClose(CMolvexDoc& doc)
{
    if (!doc.IsModified())
        return true;
    // The question names the document: its window comes up first, where the user sees it.
    emit activationRequested(doc);
    switch (m_prompts.askToSave ? m_prompts.askToSave(Title(doc)) : QMessageBox::Cancel) {
    case QMessageBox::Yes: return Save(doc, false);
    case QMessageBox::No: return true;
    default: return false;
    }
}

bool CDocumentManager::QueryCloseAll()
{
    std::vector<CMolvexDoc*> unsaved;
    QStringList titles;
    for (const auto& e : m_docs)
        if (e->doc->IsModified()) {
            unsaved.push_back(e->doc.get());
            titles << e->title;
        }
    if (unsaved.empty())
        return true;
    if (unsaved.size() == 1 || !m_prompts.askToSaveMany)
        return std::all_of(unsaved.begin(), unsaved.end(), [this](CMolvexDoc* d) { return QueryClose(*d); });
    const std::optional<QList<int>> chosen = m_prompts.askToSaveMany(titles);
    if (!chosen)
        return false;
    for (int i : *chosen)
        if (i >= 0 && i < static_cast<int>(unsaved.size())) {
            // The document being saved (a Save As dialog may come up) is the one shown.
            emit activationRequested(*unsaved[static_cast<size_t>(i)]);
            if (!Save(*unsaved[static_cast<size_t>(i)], false))
                return false;
        }
    return true;
}

void CDocumentManager::Destroy(CMolvexDoc* doc)
{
    for (auto it = m_docs.begin(); it != m_docs.end(); ++it) {
        if ((*it)->doc.get() == doc) {
            if (m_active == doc)
                SetActive(nullptr);
            m_docs.erase(it);
            return;
        }
    }
}

CMolvexDoc* CDocumentManager::Document(std::size_t i) const
{
    return i < m_docs.size() ? m_docs[i]->doc.get() : nullptr;
}

CDocumentManager::Entry* CDocumentManager::Find(const CMolvexDoc& doc) const
{
    for (const auto& e : m_docs)
        if (e->doc.get() == &doc)
            return e.get();
    return nullptr;
}

QString CDocumentManager::Title(const CMolvexDoc& doc) const
{
    const Entry* e = Find(doc);
    return e ? e->title : QString();
}

QString CDocumentManager::Path(const CMolvexDoc& doc) const
{
    const Entry* e = Find(doc);
    return e ? e->path : QString();
}

void CDocumentManager::SetActive(CMolvexDoc* doc)
{
    if (doc == m_active)
        return;
    m_active = doc;
    emit activeChanged(doc);
}

QString CDocumentManager::DefaultSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tamrel/Molvex.conf");
}

QString CDocumentManager::FormerSettingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tamrel Software/Molvex.conf");
}

void CDocumentManager::LoadRecentFiles()
{
    if (!QFileInfo::exists(settingsPath) && QFileInfo(formerSettingsPath).isFile()) {
        QDir().mkpath(QFileInfo(settingsPath).absolutePath());
        // Moved, so that it is taken over once; copied when it cannot be moved.
        if (!QFile::rename(formerSettingsPath, settingsPath))
            QFile::copy(formerSettingsPath, settingsPath);
    }
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Recent File List"));
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!f.isEmpty())
            m_recentFiles << f;
    }
    emit recentFilesChanged();
}

void CDocumentManager::SaveRecentFiles()
{
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Recent File List"));
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recentFiles.size())
            settings.setValue(key, m_recentFiles[i - 1]);
        else
            settings.remove(key);
    }
}

void CDocumentManager::AddToRecentFiles(const QString& path)
{
    for (int i = m_recentFiles.size() - 1; i >= 0; --i)
        if (SamePath(m_recentFiles[i], path) || m_recentFiles[i] == path)
            m_recentFiles.removeAt(i);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount)
        m_recentFiles.removeLast();
    SaveRecentFiles();
    emit recentFilesChanged();
}
