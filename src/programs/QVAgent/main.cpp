#include "app/AppPaths.h"
#include "app/ProgramHelp.h"
#include "ui/SingleInstanceGuard.h"
#include "ui/agent/AgentCapture.h"
#include "ui/agent/CAgentTray.h"

#include <QApplication>
#include <QClipboard>
#include <QTimer>

namespace {

const char* const HelpText = R"(Usage: QVAgent [--data-root DIR] [--capture]

The background agent of Quorvel: a tray icon whose menu turns the text selected in any
program into a new Quorvel note. Quorvel starts it and closes it again when the agent
is set to run only with Quorvel; "Run Agent at log-in" in its menu starts it with the
desktop session.

Options:
  --capture        make a note from the selected text now and exit: the text selected
                   at this moment (else the clipboard's text) goes onto the clipboard
                   and Quorvel opens a new note holding it, started if it is not
                   running. Bind "QVAgent --capture" to a key in your desktop's
                   keyboard shortcut settings.
  --data-root DIR  the folder that holds "Data Files" (also QUORVEL_DATA_ROOT)
  --help           print this help and exit
  --version        print the version and exit
)";

struct Arguments
{
    bool capture = false;
    QString dataRoot;
};

Arguments Parse(const QStringList& arguments)
{
    Arguments parsed;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--capture"))
            parsed.capture = true;
        else if (arguments[i] == QLatin1String("--data-root") && i + 1 < arguments.size())
            parsed.dataRoot = arguments[++i];
        else if (arguments[i].startsWith(QLatin1String("--data-root=")))
            parsed.dataRoot = arguments[i].mid(12);
    }
    if (parsed.dataRoot.isEmpty())
        parsed.dataRoot = AppPaths::DataRootFromEnvironment();
    return parsed;
}

// The clipboard lives in this process until another program takes it over, so the
// capture waits a while for the program to paste before it ends.
int Capture(QApplication& app, const QStringList& programArguments)
{
    const QString text = AgentCapture::SelectedText();
    if (text.isEmpty())
        return 1;
    AgentCapture::PutOnClipboard(text);
    QGuiApplication::clipboard()->setProperty("captured", text);
    const QString program = AgentCapture::ProgramPath(QCoreApplication::applicationDirPath());
    if (!AgentCapture::RequestNote(program, SingleInstanceGuard::DefaultServerName(), programArguments))
        return 1;
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &app, [] {
        if (QGuiApplication::clipboard()->text()
            != QGuiApplication::clipboard()->property("captured").toString())
            QCoreApplication::quit();
    });
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    return app.exec() < 0 ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (ProgramHelp::Answer(argc, argv, QStringLiteral("QVAgent"), QString::fromUtf8(HelpText)))
        return 0;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const Arguments arguments = Parse(app.arguments());
    QStringList programArguments;
    if (!arguments.dataRoot.isEmpty())
        programArguments << QStringLiteral("--data-root") << arguments.dataRoot;
    if (arguments.capture)
        return Capture(app, programArguments);

    CAgentTray::Options options;
    options.settingsFile = AppPaths::SettingsFile(arguments.dataRoot);
    options.programPath = AgentCapture::ProgramPath(QCoreApplication::applicationDirPath());
    options.programArguments = programArguments;
    options.agentPath = QCoreApplication::applicationFilePath();
    CAgentTray tray(options);
    if (!tray.Start())
        return 0; // an agent runs already
    QObject::connect(&tray, &CAgentTray::QuitRequested, &app, &QCoreApplication::quit);
    return app.exec();
}
