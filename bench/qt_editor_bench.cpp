// The editor's keystroke end to end: the real main frame on the offscreen platform,
// keys sent into the entry box, and every repaint and status-bar update that a key
// brings done inside the measured iteration. The process's CPU time is what a user's
// machine spends per key.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTextBlock>

#include "shell/EntryEdit.h"
#include "shell/MainFrame.h"
#include "shell/MolvexApp.h"
#include "shell/MolvexView.h"

#include "tests/support/SampleLines.h"

namespace {

using testlines::TwentyLines;

// Counts the paints of a widget, so that a run shows the view was really drawn.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// An editor with one 20-line document, the caret at the end of line `line` (0-based).
struct Editor {
    std::unique_ptr<CMolvexApp> app = std::make_unique<CMolvexApp>();
    CEntryEdit* edit = nullptr;
    CMolvexView* view = nullptr;

    explicit Editor(int line)
    {
        app->instanceName.clear();
        app->showMessage = [](const QString&, const QString&) {};
        if (!app->InitInstance({}))
            std::abort();
        CMainFrame* frame = app->MainFrame();
        // The screen the issue was measured on.
        frame->resize(1600, 1000);
        frame->activateWindow();
        edit = app->EntryEdit();
        QString text;
        for (std::size_t i = 0; i < TwentyLines().size(); ++i)
            text += (i ? QStringLiteral("\n") : QString()) + QString::fromStdString(TwentyLines()[i]);
        edit->setPlainText(text);
        QTextCursor c(edit->document()->findBlockByNumber(line));
        c.movePosition(QTextCursor::EndOfBlock);
        edit->setTextCursor(c);
        edit->setFocus();
        view = frame->ActiveDocFrame()->View();
        Settle();
    }
    ~Editor()
    {
        app->MainFrame()->ActiveDocument()->SetModifiedFlag(false);
        app.reset();
    }

    static void Settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    void Key(int key, const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(edit, &press);
        QCoreApplication::sendEvent(edit, &release);
        Settle();
    }
};

// Typing at the end of a line: a letter, then Backspace, so the line keeps its length
// over any number of iterations; each is one keystroke that changes the equation.
void TypeAtEndOfLine(benchmark::State& state, int line)
{
    Editor editor(line);
    PaintCounter counter;
    editor.view->viewport()->installEventFilter(&counter);
    bool typed = false;
    for (auto _ : state) {
        if (typed)
            editor.Key(Qt::Key_Backspace, QString());
        else
            editor.Key(Qt::Key_X, QStringLiteral("x"));
        typed = !typed;
    }
    editor.view->viewport()->removeEventFilter(&counter);
    state.counters["view_paints_per_key"] =
        benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}

void BM_EditorKeystrokeLine20(benchmark::State& state) { TypeAtEndOfLine(state, 19); }
BENCHMARK(BM_EditorKeystrokeLine20)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// A line in the middle: the lines below it stay where they are while its width changes.
void BM_EditorKeystrokeLine6(benchmark::State& state) { TypeAtEndOfLine(state, 5); }
BENCHMARK(BM_EditorKeystrokeLine6)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Moving the caret along a line without changing the text.
void BM_EditorCaretMove(benchmark::State& state)
{
    Editor editor(19);
    bool left = true;
    for (auto _ : state) {
        editor.Key(left ? Qt::Key_Left : Qt::Key_Right, QString());
        left = !left;
    }
}
BENCHMARK(BM_EditorCaretMove)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// The offscreen platform says so for every window the editor sizes; it would drown
// the table.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The editor reads and writes its configuration: keep the user's own out of it.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("HOME", home.path().toLocal8Bit());
    qInstallMessageHandler(QuietHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
