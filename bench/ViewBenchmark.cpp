// Times the main window's note view, offscreen, over a generated database: (a) from a
// "SHOWALL" database search (the search bar's own call) to the first painted screen of
// the view with every note in the list, and (b) one wheel step down the list with its
// repaint. Each figure is a median: (a) of several runs, (b) of the step medians of those
// runs. Goals: (a) under 1 s for 10,000 notes, (b) under 16 ms, one frame.
//
//   ViewBenchmark DATA_ROOT [--generate N] [--runs R]
//
// A DATA_ROOT without notes is filled first by GenerateDatabase (found beside this
// program) with N notes, 10,000 unless told; a DATA_ROOT with notes is used as it is.

#include "app/CNotesApp.h"
#include "format/DataFolder.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/CommandIds.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int DefaultNotes = 10000;
constexpr int DefaultRuns = 5;
constexpr int ScrollSteps = 50;
constexpr double FirstPaintGoalMs = 1000.0;
constexpr double ScrollStepGoalMs = 16.0;
const QSize WindowSize(1280, 800);

struct Arguments
{
    QString dataRoot;
    int generateCount = DefaultNotes;
    int runs = DefaultRuns;
};

bool ParseArguments(const QStringList& arguments, Arguments* parsed)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--generate") && hasValue)
            parsed->generateCount = arguments[++i].toInt();
        else if (argument == QLatin1String("--runs") && hasValue)
            parsed->runs = arguments[++i].toInt();
        else if (parsed->dataRoot.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            parsed->dataRoot = argument;
        else
            return false;
    }
    return !parsed->dataRoot.isEmpty() && parsed->generateCount > 0 && parsed->runs > 0;
}

bool HoldsNotes(const QString& dataRoot)
{
    const DataFolder folder(dataRoot, dataRoot);
    return !QDir(folder.NotesFolder()).entryList(QDir::Files).isEmpty();
}

// Runs the generator program built beside this one, its output shown as it goes.
bool GenerateNotes(const QString& dataRoot, int count, QString* error)
{
    const QString generator
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("GenerateDatabase"));
    if (!QFileInfo(generator).isExecutable()) {
        *error = QStringLiteral("no notes in %1 and no GenerateDatabase beside this program: build that "
                                "target, or run  GenerateDatabase %1 %2  first")
                     .arg(dataRoot)
                     .arg(count);
        return false;
    }
    std::printf("generating %d notes in %s ...\n", count, qPrintable(dataRoot));
    std::fflush(stdout);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(generator, {dataRoot, QString::number(count)});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        *error = QStringLiteral("GenerateDatabase failed on %1").arg(dataRoot);
        return false;
    }
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double ElapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Lets the window's timers run (the frame's relayout after a resize, the view's laying
// out of the notes near the screen) for about the given time.
void Settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Counts the paint events a widget receives: a repaint the platform skipped must not be
// timed as a drawn screen.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

// The application started over the data root with the main window shown, as the
// desktop program starts it; the settings stay in memory and every question is
// answered silently, so nothing is written and no message box waits.
struct Window
{
    MemorySettingsBackend settings;
    SilentPrompt prompt;
    std::unique_ptr<CNotesApp> app;
    std::unique_ptr<CMainFrame> frame;

    explicit Window(const QString& dataRoot)
    {
        AppEnvironment environment;
        environment.dataRoot = dataRoot;
        environment.programFolder = dataRoot;
        environment.settingsBackend = &settings;
        environment.prompt = &prompt;
        StartupHooks hooks;
        hooks.createWindows = [this] {
            frame = std::make_unique<CMainFrame>(*app, prompt);
            frame->resize(WindowSize);
            frame->show();
        };
        hooks.showLastList = [this] { frame->ShowLastList(); };
        app = std::make_unique<CNotesApp>(environment, std::move(hooks));
        app->InitInstance();
        Settle(300);
    }
    ~Window() { frame.reset(); }

    CNotesView* View() const { return frame->View(); }
};

// One run of (a): the list emptied and the window idle, then the search bar's
// "SHOWALL" and a forced paint of the view. Negative when no paint took place; drawn
// takes the number of notes laid out for that screen.
double ShowAllToFirstPaintMs(Window& window, int* drawn)
{
    window.app->CurrentList().ClearCurrentNotes();
    Settle(200);
    QWidget* viewport = window.View()->viewport();
    PaintCounter paints(viewport);
    QElapsedTimer timer;
    timer.start();
    window.frame->RunSearch(QStringLiteral("SHOWALL"), CommandIds::SearchModeDatabase);
    viewport->repaint();
    const double ms = ElapsedMs(timer);
    *drawn = window.View()->RenderedCount();
    return paints.Count() > 0 && *drawn > 0 ? ms : -1.0;
}

// One notch of a mouse wheel, downwards, over the middle of the view.
void WheelDown(CNotesView* view)
{
    QWidget* viewport = view->viewport();
    const QPointF centre = QRectF(viewport->rect()).center();
    QWheelEvent event(centre, viewport->mapToGlobal(centre), QPoint(),
                      QPoint(0, -QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &event);
}

// One run of (b), straight after (a): wheel steps from the top of the list, each with its
// repaint. Between steps the pending events run untimed (the laying out of the notes near
// the screen among them), as they would between the notches of a real wheel.
std::vector<double> ScrollStepsMs(Window& window, int* pixelsPerStep)
{
    CNotesView* view = window.View();
    QScrollBar* bar = view->verticalScrollBar();
    std::vector<double> times;
    int moved = 0;
    for (int step = 0; step < ScrollSteps; ++step) {
        QCoreApplication::processEvents();
        const int before = bar->value();
        QElapsedTimer timer;
        timer.start();
        WheelDown(view);
        view->viewport()->repaint();
        times.push_back(ElapsedMs(timer));
        moved = std::max(moved, bar->value() - before);
    }
    *pixelsPerStep = moved;
    return times;
}

void PrintFigure(const QString& what, double ms, double goalMs)
{
    std::printf("%-56s %9.2f ms   goal < %.0f ms: %s\n", qPrintable(what), ms, goalMs,
                ms < goalMs ? "met" : "MISSED");
}

int Run(const Arguments& arguments)
{
    QString error;
    if (!HoldsNotes(arguments.dataRoot)
        && !GenerateNotes(arguments.dataRoot, arguments.generateCount, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Window window(arguments.dataRoot);
    std::printf("%d notes in %s; window %dx%d on the %s platform; %d runs\n", window.app->Database().Total(),
                qPrintable(arguments.dataRoot), WindowSize.width(), WindowSize.height(),
                qPrintable(QGuiApplication::platformName()), arguments.runs);

    std::vector<double> firstPaints;
    std::vector<double> stepMedians;
    double slowestStep = 0.0;
    int pixelsPerStep = 0;
    int drawn = 0;
    for (int run = 0; run < arguments.runs; ++run) {
        const double ms = ShowAllToFirstPaintMs(window, &drawn);
        if (ms < 0) {
            std::fprintf(stderr, "the view was not painted: no figures\n");
            return 1;
        }
        firstPaints.push_back(ms);
        const std::vector<double> steps = ScrollStepsMs(window, &pixelsPerStep);
        stepMedians.push_back(Median(steps));
        slowestStep = std::max(slowestStep, *std::max_element(steps.begin(), steps.end()));
    }
    const int listed = window.app->CurrentList().Count();
    PrintFigure(
        QStringLiteral("SHOWALL to first painted screen (%1 listed, %2 drawn)").arg(listed).arg(drawn),
        Median(firstPaints), FirstPaintGoalMs);
    PrintFigure(
        QStringLiteral("one wheel step (%1 px) + repaint, median of %2").arg(pixelsPerStep).arg(ScrollSteps),
        Median(stepMedians), ScrollStepGoalMs);
    std::printf("%-56s %9.2f ms\n", "slowest wheel step of all runs", slowestStep);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Arguments arguments;
    if (!ParseArguments(QCoreApplication::arguments(), &arguments)) {
        std::fprintf(stderr,
                     "usage: ViewBenchmark DATA_ROOT [--generate N] [--runs R]\n"
                     "  an empty DATA_ROOT gets N generated notes first (default %d)\n",
                     DefaultNotes);
        return 2;
    }
    return Run(arguments);
}
