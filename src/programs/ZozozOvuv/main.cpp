// The print program: previews, prints and saves as PDF the notes handed over in
// "Data Files/PrintPreview.nbf" (no argument) or the hand-off file named as the argument:
// a bibliography file, or a notes file (".nbf") written elsewhere because the data folder
// is read-only.
//
//   ZozozOvuv [--data-root DIR] [--pdf OUT.pdf] [FILE]
//
// The data root is --data-root, else QUORVEL_DATA_ROOT, else the program's default.
// With --pdf the pages are written to OUT.pdf and no window opens.

#include "app/AppPaths.h"
#include "app/ProgramHelp.h"
#include "ui/print/CPrintPreviewWnd.h"
#include "ui/print/PrintJob.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* const HelpText = R"(Usage: ZozozOvuv [--data-root DIR] [--pdf OUT.pdf] [FILE]

The print program of Quorvel: previews, prints and saves as PDF the notes that the
desktop program hands over in "Data Files/PrintPreview.nbf" (no FILE), or the
bibliography or notes file FILE.

Options:
  --data-root DIR  the folder that holds "Data Files"; QUORVEL_DATA_ROOT also names it;
                   the default is $XDG_DATA_HOME/Brenlow Software/Quorvel
  --pdf OUT.pdf    write the pages to OUT.pdf and exit; no window opens
  --help           print this help and exit
  --version        print the version and exit

Arguments:
  FILE             a bibliography file ("Data Files/Bib.dat") or a notes file (".nbf")
                   to show
)";

// Writing a PDF needs no screen; without one, Qt's offscreen platform serves.
void UseOffscreenWhenHeadless(int argc, char* argv[])
{
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0;
    if (pdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString DataRoot(const QCommandLineParser& parser, const QCommandLineOption& option)
{
    if (parser.isSet(option))
        return parser.value(option);
    const QString fromEnvironment = AppPaths::DataRootFromEnvironment();
    return fromEnvironment.isEmpty() ? AppPaths::DefaultDataRoot() : fromEnvironment;
}

} // namespace

int main(int argc, char* argv[])
{
    if (ProgramHelp::Answer(argc, argv, QStringLiteral("ZozozOvuv"), QString::fromUtf8(HelpText)))
        return 0;
    UseOffscreenWhenHeadless(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZozozOvuv"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Print preview of Quorvel notes and bibliographies."));
    parser.addHelpOption();
    const QCommandLineOption dataRoot(QStringLiteral("data-root"), QStringLiteral("The data root."),
                                      QStringLiteral("DIR"));
    const QCommandLineOption pdf(QStringLiteral("pdf"),
                                 QStringLiteral("Write the pages to a PDF file and exit."),
                                 QStringLiteral("OUT.pdf"));
    parser.addOption(dataRoot);
    parser.addOption(pdf);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A bibliography or notes file to show."));
    parser.process(app);

    const QStringList files = parser.positionalArguments();
    const QString path
        = files.isEmpty() ? PrintJob::PreviewFilePath(DataRoot(parser, dataRoot)) : files.first();
    PrintJob job;
    QString error;
    if (!PrintJob::Load(path, &job, &error)) {
        if (parser.isSet(pdf))
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        else
            QMessageBox::warning(nullptr, QStringLiteral("Print Preview"), error);
        return 1;
    }
    if (parser.isSet(pdf)) {
        if (WritePdf(job, parser.value(pdf)))
            return 0;
        std::fprintf(stderr, "The PDF file could not be written: %s\n",
                     parser.value(pdf).toLocal8Bit().constData());
        return 1;
    }
    CPrintPreviewWnd window(job);
    window.show();
    return app.exec();
}
