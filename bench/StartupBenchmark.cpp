// Times the desktop program's start-up, offscreen, on a data root (the database load and
// the restored current list laid out and painted) beside `quorvel-cli info` on the same
// folder in the same run, and counts the repaints of the progress windows on the way.
// Goals: the restored list within twice the command line's load; the progress windows
// repainted about thirty times a second at most. To restore a long list, fill the current
// list first (`quorvel-cli --data-root DATA_ROOT search SHOWALL`).
//
//   StartupBenchmark QUORVEL_CLI DATA_ROOT

#include "platform/UserPrompt.h"
#include "ui/CMainFrame.h"
#include "ui/CNotesView.h"
#include "ui/QuorvelProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <cstdio>

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
    clock.start();
    QuorvelProgram program(options);
    program.Start();
    // The restored list on the screen: the view's first paint after the start.
    program.Frame()->View()->repaint();
    QCoreApplication::processEvents();
    const double startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    std::printf("quorvel-cli info                 %9.1f ms\n", infoMs);
    std::printf("desktop start, list shown        %9.1f ms   %5.2f x info   (%s)\n", startMs,
                startMs / infoMs, qPrintable(program.Frame()->NotesInListPane()->text()));
    std::printf("progress window repaints         %9d      (%.1f a second)\n", counter.paints,
                counter.paints * 1000.0 / startMs);
    return 0;
}
