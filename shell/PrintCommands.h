#pragma once
// Printing: the session's one printer with its page setup, and the three ways of
// printing an equation view (asking first, at once, or in a preview).
#include <QString>
#include <memory>

class CMolvexView;
class QPrinter;
class QWidget;
struct UserPrompts;

class CPrinting {
public:
    enum class Way { Ask, Direct, Preview };

    CPrinting();
    ~CPrinting();
    CPrinting(const CPrinting&) = delete;
    CPrinting& operator=(const CPrinting&) = delete;

    // Made on first use: finding the printers can take a while.
    QPrinter& Printer();
    void PageSetup(QWidget* parent);
    // Prints the view as a job named `title`; a printer that cannot start is told.
    void Print(Way way, CMolvexView& view, const QString& title, QWidget* parent, const UserPrompts& prompts);

private:
    std::unique_ptr<QPrinter> m_printer;
};
