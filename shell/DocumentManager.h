#pragma once
// The open documents: each with its path and title, the recent-file list and the
// active document. Windows come and go with the signals; the manager knows none.
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct MolvexAppState;
struct UserPrompts;
class CMolvexDoc;

class CDocumentManager : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 10;

    CDocumentManager(MolvexAppState& state, UserPrompts& prompts, QObject* parent = nullptr);
    ~CDocumentManager() override;

    // A document with no window (a container's object).
    CMolvexDoc& Create();
    // A new document for a window of its own (documentOpened).
    CMolvexDoc& New();
    // Asks for files, then opens them.
    void OpenAsked();
    // Opens a file, or activates it when it is open already; shows why when it fails.
    CMolvexDoc* Open(const QString& path);
    bool Save(CMolvexDoc& doc, bool askForName);
    bool SaveTo(CMolvexDoc& doc, const QString& path);
    // Asks whether to save a modified document; false when the user cancels or the
    // save fails.
    bool QueryClose(CMolvexDoc& doc);
    // Every modified document: one question names them all (a single one is asked
    // about as QueryClose asks).
    bool QueryCloseAll();
    void Destroy(CMolvexDoc* doc);

    std::size_t Count() const { return m_docs.size(); }
    CMolvexDoc* Document(std::size_t i) const;
    QString Title(const CMolvexDoc& doc) const;
    QString Path(const CMolvexDoc& doc) const;

    CMolvexDoc* Active() const { return m_active; }
    void SetActive(CMolvexDoc* doc);

    QStringList RecentFiles() const { return m_recentFiles; }
    // The file that keeps the list, beside the configuration files (Tamrel/Molvex.conf
    // in the user's configuration folder); tests point it elsewhere.
    static QString DefaultSettingsPath();
    // The file the list was kept in before (the organisation's long name): taken over
    // once when the new one does not exist yet.
    static QString FormerSettingsPath();
    QString settingsPath = DefaultSettingsPath();
    QString formerSettingsPath = FormerSettingsPath();
    void LoadRecentFiles();
    void AddToRecentFiles(const QString& path);

signals:
    void documentOpened(CMolvexDoc& doc);     // wants a window
    void activationRequested(CMolvexDoc& doc); // opened again or asked about: bring it up
    void titleChanged(CMolvexDoc& doc);
    void activeChanged(CMolvexDoc* doc);
    void recentFilesChanged();

private:
    struct Entry;
    Entry* Find(const CMolvexDoc& doc) const;
    CMolvexDoc& Adopt(std::unique_ptr<CMolvexDoc> doc, const QString& path);
    void SaveRecentFiles();

    MolvexAppState& m_state;
    UserPrompts& m_prompts;
    std::vector<std::unique_ptr<Entry>> m_docs;
    CMolvexDoc* m_active = nullptr;
    QStringList m_recentFiles;
    int m_untitledCount = 0;
};
