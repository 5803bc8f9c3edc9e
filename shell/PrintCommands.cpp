#include "shell/PrintCommands.h"

#include <QCoreApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "shell/MolvexView.h"
#include "shell/UserPrompts.h"

CPrinting::CPrinting() = default;
CPrinting::~CPrinting() = default;

QPrinter& CPrinting::Printer()
{
    // At the screen's resolution one logical unit stays one screen pixel on paper, so
    // the printed equation has the size it has on screen.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    return *m_printer;
}

void CPrinting::PageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&Printer(), parent);
    dialog.exec();
}

void CPrinting::Print(Way way, CMolvexView& view, const QString& title, QWidget* parent, const UserPrompts& prompts)
{
    QPrinter& printer = Printer();
    printer.setDocName(title);
    if (way == Way::Preview) {
        QPrintPreviewDialog preview(&printer, parent);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                         [&view](QPrinter* p) { view.PrintTo(*p); });
        preview.exec();
        return;
    }
    if (way == Way::Ask) {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    // The frame's text, translated where the frame's are.
    if (!view.PrintTo(printer) && prompts.showMessage)
        prompts.showMessage(QStringLiteral("Molvex"),
                            QCoreApplication::translate("CMainFrame", "The printer could not be started."));
}
