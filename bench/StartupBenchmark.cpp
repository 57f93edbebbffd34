// Times the desktop program's start-up, offscreen, on a data root (the database load and
// the restored current list laid out and painted) beside `quorvel-cli info` on the same
// folder in the same run, and counts the repaints of the progress windows on the way.
// Then it lets the program run and times when it is idle again (uses no processor): after
// the start, and after the window was made wider. Goals: the restored list, and idle,
// within twice the command line's load; idle within 1 s of a change of width; the
// progress windows repainted about thirty times a second at most. To restore a long list,
// fill the current list first (`quorvel-cli --data-root DATA_ROOT search SHOWALL`).
//
//   StartupBenchmark QUORVEL_CLI DATA_ROOT

#include "app/CNotesApp.h"
#include "categories/CategoryTree.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/QuorvelProgram.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"
#include "ui/categories/CControlBarSheet.h"
#include "ui/categories/CCtrlCategoriesPg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

// Counts the paints of the progress dialog and the notification window.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint
            && (object->objectName() == QLatin1String("progressDialog")
                || object->objectName() == QLatin1String("notificationWindow")))
            ++paints;
        return false;
    }
};

double CliInfoMs(const QString& cli, const QString& root)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(cli, {QStringLiteral("--data-root"), root, QStringLiteral("info")});
    process.waitForFinished(-1);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double CpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Ms(const QElapsedTimer& clock)
{
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct Idle
{
    double atMs = 0; // on clock, when the last busy slice ended
    double cpuMs = 0; // processor time used until then, every thread of the process
};

// Runs the event loop in slices of 50 ms (waiting, not spinning) until a whole second
// passes in which no slice used more than a twentieth of a core; at most limitMs.
Idle WaitUntilIdle(const QElapsedTimer& clock, double cpuAtStart, int limitMs = 180000)
{
    constexpr int kSliceMs = 50;
    constexpr double kBusyCpuMs = kSliceMs / 20.0;
    constexpr int kQuietSlices = 20;
    Idle idle {Ms(clock), CpuMs() - cpuAtStart};
    int quiet = 0;
    while (quiet < kQuietSlices && Ms(clock) < limitMs) {
        const double before = CpuMs();
        QEventLoop loop;
        QTimer::singleShot(kSliceMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double used = CpuMs() - before;
        if (used > kBusyCpuMs) {
            quiet = 0;
            idle = {Ms(clock), CpuMs() - cpuAtStart};
        } else {
            ++quiet;
        }
    }
    return idle;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: StartupBenchmark QUORVEL_CLI DATA_ROOT\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    CliInfoMs(cli, root); // the files into the page cache
    const double infoMs = CliInfoMs(cli, root);

    PaintCounter counter;
    application.installEventFilter(&counter);
    SilentPrompt prompt;
    QuorvelProgram::Options options;
    options.dataRoot = root;
    options.serverName = QStringLiteral("QuorvelStartupBenchmark%1").arg(QCoreApplication::applicationPid());
    options.prompt = &prompt;
    QElapsedTimer clock;
    const double cpuAtStart = CpuMs();
    clock.start();
    QuorvelProgram program(options);
    program.Start();
    // The restored list on the screen: the view's first paint after the start.
    CNotesView* view = program.Frame()->View();
    view->repaint();
    QCoreApplication::processEvents();
    const double startMs = Ms(clock);
    const int paints = counter.paints;
    const Idle idle = WaitUntilIdle(clock, cpuAtStart);

    // Wider by a fifth: every note's guess changes, the notes on the screen are laid out again.
    const int measuredBefore = view->MeasuredCount();
    QElapsedTimer resized;
    const double cpuAtResize = CpuMs();
    resized.start();
    program.Frame()->resize(program.Frame()->width() * 6 / 5, program.Frame()->height());
    const Idle idleAfterResize = WaitUntilIdle(resized, cpuAtResize);

    // The control bar's Categories page built again, as after every change of the notes.
    CControlBarSheet* bar = program.Frame()->ControlBar();
    bar->Tabs()->setCurrentIndex(0);
    QElapsedTimer barClock;
    const double barCpuBefore = CpuMs();
    barClock.start();
    bar->RefreshActivePage();
    const double barMs = Ms(barClock);
    const double barCpuMs = CpuMs() - barCpuBefore;
    int categories = 0;
    bar->CategoriesPage()->Tree()->Selection().Trees().ForEachNode(
        [&categories](const CategoryNode&) { ++categories; });

    std::printf("quorvel-cli info                 %9.1f ms\n", infoMs);
    std::printf("desktop start, list shown        %9.1f ms   %5.2f x info   (%s)\n", startMs,
                startMs / infoMs, qPrintable(program.Frame()->NotesInListPane()->text()));
    std::printf(
        "idle again after the start       %9.1f ms   %5.2f x info   (goal 2x; %.0f ms of processor)\n",
        idle.atMs, idle.atMs / infoMs, idle.cpuMs);
    std::printf("notes laid out                   %9d      of %d listed (view %dx%d)\n", measuredBefore,
                program.App()->CurrentList().Count(), view->viewport()->width(), view->viewport()->height());
    std::printf(
        "idle again after a wider window  %9.1f ms   (goal 1000 ms; %.0f ms of processor; %d laid out)\n",
        idleAfterResize.atMs, idleAfterResize.cpuMs, view->MeasuredCount());
    std::printf(
        "control bar, Categories page     %9.1f ms   (goal 500 ms; %.0f ms of processor; %d categories and "
        "<UNASSIGNED>)\n",
        barMs, barCpuMs, categories - 1);
    std::printf("progress window repaints         %9d      (%.1f a second)\n", paints,
                paints * 1000.0 / startMs);
    return 0;
}
