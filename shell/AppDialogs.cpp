#include "shell/AppDialogs.h"
#include "shell/ShellResources.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "molvex/Version.h"
#include "platform/Render.h"

QString VersionLine()
{
    return QString::asprintf("Molvex V%d.%03d.%d", MOLVEX_VERSION_MAJOR, MOLVEX_VERSION_MINOR, MOLVEX_VERSION_PATCH);
}

namespace {

void Build(QDialog* dialog, const QString& title, const QStringList& lines)
{
    InitShellResources();
    dialog->setWindowTitle(title);
    auto* outer = new QVBoxLayout(dialog);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(dialog);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/molvex2.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* text = new QVBoxLayout;
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines[i], dialog);
        label->setObjectName(QStringLiteral("line%1").arg(i + 1));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->addWidget(label);
    }
    row->addLayout(text, 1);
    outer->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    outer->addWidget(buttons);
}

} // namespace

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    Build(this, tr("About Molvex 2"),
          {VersionLine(), tr("Chemical equations typeset as you type them."), tr("Copyright © Tamrel Software")});
}

CContactDialog::CContactDialog(QWidget* parent) : QDialog(parent)
{
    Build(this, tr("About Tamrel"),
          {QStringLiteral("Tamrel Software"), tr("Makers of Molvex 2, the chemical equation editor."),
           tr("Questions, suggestions and reports of problems are always welcome:"),
           tr("please write to Tamrel Software support.")});
}

CSaveChangesDialog::CSaveChangesDialog(const QStringList& titles, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("saveChangesDialog"));
    setWindowTitle(tr("Unsaved Documents"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("These documents have changes that are not saved. Save the ticked ones?"), this);
    label->setWordWrap(true);
    layout->addWidget(label);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("unsavedDocuments"));
    m_list->setAccessibleName(tr("Unsaved documents"));
    for (const QString& title : titles) {
        auto* item = new QListWidgetItem(title, m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    label->setBuddy(m_list);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(tr("Save All"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_discard = buttons->addButton(tr("Discard All"), QDialogButtonBox::DestructiveRole);
    m_discard->setObjectName(QStringLiteral("discardButton"));
    buttons->addButton(QDialogButtonBox::Cancel);
    m_save->setDefault(true);
    layout->addWidget(buttons);
    // Wide enough for its title and the documents' names.
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 60);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_discard, &QPushButton::clicked, this, [this] {
        m_discarded = true;
        accept();
    });
    connect(m_list, &QListWidget::itemChanged, this, &CSaveChangesDialog::UpdateSaveText);
}

void CSaveChangesDialog::UpdateSaveText()
{
    const QList<int> chosen = Chosen();
    m_save->setText(chosen.size() == m_list->count() ? tr("Save All") : tr("Save Selected"));
    m_save->setEnabled(!chosen.isEmpty());
}

QList<int> CSaveChangesDialog::Chosen() const
{
    QList<int> chosen;
    if (m_discarded)
        return chosen;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            chosen << i;
    return chosen;
}

namespace {
QString DocFilter() { return QCoreApplication::translate("CFileDialogs", "Molvex Files (*.mv2)"); }
}

QString CFileDialogs::StartFolder(const QStringList& recentFiles) const
{
    if (!m_folder.isEmpty())
        return m_folder;
    return recentFiles.isEmpty() ? QString() : QFileInfo(recentFiles.first()).absolutePath();
}

void CFileDialogs::Remember(const QString& chosenPath)
{
    if (!chosenPath.isEmpty())
        m_folder = QFileInfo(chosenPath).absolutePath();
}

QStringList CFileDialogs::AskOpenPaths(QWidget* parent, const QStringList& recentFiles)
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        parent, QCoreApplication::translate("CFileDialogs", "Open"), StartFolder(recentFiles),
        DocFilter() + QStringLiteral(";;") + QCoreApplication::translate("CFileDialogs", "All Files (*)"));
    if (!paths.isEmpty())
        Remember(paths.first());
    return paths;
}

QString CFileDialogs::AskSavePath(QWidget* parent, const QString& suggestedPath, const QStringList& recentFiles)
{
    // A bare name (an untitled document) is placed in the start folder.
    QString start = suggestedPath;
    const QString folder = StartFolder(recentFiles);
    if (!folder.isEmpty() && QFileInfo(suggestedPath).isRelative())
        start = QDir(folder).filePath(suggestedPath);
    const QString path =
        QFileDialog::getSaveFileName(parent, QCoreApplication::translate("CFileDialogs", "Save As"), start, DocFilter());
    Remember(path);
    return path;
}

std::optional<ExportChoice> CFileDialogs::AskExport(QWidget* parent, const QString& suggestedName,
                                                    const QStringList& recentFiles)
{
    struct Type {
        const char* suffix;
        const char* filter;
    };
    static const Type kTypes[] = {{"png", QT_TRANSLATE_NOOP("CFileDialogs", "PNG picture (*.png)")},
                                  {"svg", QT_TRANSLATE_NOOP("CFileDialogs", "SVG picture (*.svg)")},
                                  {"pdf", QT_TRANSLATE_NOOP("CFileDialogs", "PDF document (*.pdf)")},
                                  {"wmf", QT_TRANSLATE_NOOP("CFileDialogs", "Windows metafile (*.wmf)")}};
    QStringList filters;
    QString selected;
    for (const Type& t : kTypes) {
        filters << QCoreApplication::translate("CFileDialogs", t.filter);
        if (m_exportSuffix == QLatin1String(t.suffix))
            selected = filters.last();
    }
    const QString folder = m_exportFolder.isEmpty() ? StartFolder(recentFiles) : m_exportFolder;
    const QString name = suggestedName + QLatin1Char('.') + m_exportSuffix;
    QString path = QFileDialog::getSaveFileName(parent, QCoreApplication::translate("CFileDialogs", "Export Picture"),
                                                folder.isEmpty() ? name : QDir(folder).filePath(name),
                                                filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return std::nullopt;
    // Without an extension of its own the file takes the chosen type's.
    if (!PictureFormatOfPath(path))
        for (std::size_t i = 0; i < std::size(kTypes); ++i)
            if (filters[static_cast<int>(i)] == selected)
                path += QLatin1Char('.') + QLatin1String(kTypes[i].suffix);
    ExportChoice choice{path, m_exportScale};
    if (PictureFormatOfPath(path) == PictureFormat::Png) {
        bool ok = false;
        choice.scale = QInputDialog::getDouble(
            parent, QCoreApplication::translate("CFileDialogs", "Export Picture"),
            QCoreApplication::translate("CFileDialogs", "Scale of the PNG picture (1: the size on screen at 100%):"),
            m_exportScale, 0.25, kMaxScale, 2, &ok);
        if (!ok)
            return std::nullopt;
        m_exportScale = choice.scale;
    }
    m_exportFolder = QFileInfo(path).absolutePath();
    m_exportSuffix = QFileInfo(path).suffix().toLower();
    return choice;
}
