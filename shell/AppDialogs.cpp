#include "shell/AppDialogs.h"
#include "shell/ShellResources.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "molvex/Version.h"

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
