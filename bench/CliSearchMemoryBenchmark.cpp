// Peak memory and time of the command line's heavy searches, each a separate process
// measured by the system's own accounting of it (wait4: maxrss and elapsed time), beside
// baselines over the same note files in the same run: `cat` of every note file and
// `grep -c -i` of the term. Before each search the current list is emptied, as a fresh
// database would start. Prints the figures; nothing passes or fails. Goals: SHOWALL with
// --ids-only within three times `cat`, a term found in nearly every note within three
// times `grep -c -i`, each under 300 MB.
//
//   CliSearchMemoryBenchmark QUORVEL_CLI DATA_ROOT [TERM]   (TERM default "ka", a
//                                                          syllable of nearly every
//                                                          generated word)

#include "MeasuredProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

struct Figures
{
    double ms = 0;
    double peakMb = 0;
};

Figures Measure(const QStringList& command)
{
    const MeasuredProcess run = RunMeasured(command);
    return {run.ms, run.peakMb};
}

Figures Best(int runs, const QStringList& command, const QStringList& before = {})
{
    Figures best {1e18, 0};
    for (int i = 0; i < runs; ++i) {
        if (!before.isEmpty())
            Measure(before);
        const Figures figures = Measure(command);
        best.ms = std::min(best.ms, figures.ms);
        best.peakMb = std::max(best.peakMb, figures.peakMb);
    }
    return best;
}

void Print(const char* what, const Figures& figures, const Figures& baseline, const char* baselineName)
{
    std::printf("%-40s %9.1f ms %8.1f MB peak   %5.2f x %s\n", what, figures.ms, figures.peakMb,
                figures.ms / baseline.ms, baselineName);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: CliSearchMemoryBenchmark QUORVEL_CLI DATA_ROOT [TERM]\n");
        return 2;
    }
    const QString cli = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    const QString term = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("ka");
    const QDir notes(root + QStringLiteral("/Data Files/Notes"));
    QStringList files;
    for (const QString& name : notes.entryList({QStringLiteral("*dat")}, QDir::Files, QDir::Name))
        files.append(notes.filePath(name));
    std::printf("%lld note files in %s\n", static_cast<long long>(files.size()), qPrintable(root));

    const QStringList base = {cli, QStringLiteral("--data-root"), root};
    const QStringList clear = base + QStringList {QStringLiteral("current"), QStringLiteral("--set")};
    Measure(QStringList {QStringLiteral("cat")} + files); // the files into the page cache
    const Figures cat = Best(3, QStringList {QStringLiteral("cat")} + files);
    const Figures grep = Best(
        3, QStringList {QStringLiteral("grep"), QStringLiteral("-c"), QStringLiteral("-i"), term} + files);
    const Figures info = Best(3, base + QStringList {QStringLiteral("info")}, clear);
    Print("cat (baseline)", cat, cat, "cat");
    Print("grep -c -i TERM (baseline)", grep, grep, "grep");
    Print("quorvel-cli info", info, cat, "cat");
    const QStringList search = base + QStringList {QStringLiteral("search")};
    Print("search --ids-only SHOWALL",
          Best(1, search + QStringList {QStringLiteral("--ids-only"), QStringLiteral("SHOWALL")}, clear), cat,
          "cat");
    Print("search --ids-only TERM", Best(1, search + QStringList {QStringLiteral("--ids-only"), term}, clear),
          grep, "grep");
    Print("search TERM (highlighted printed)", Best(1, search + QStringList {term}, clear), grep, "grep");
    Measure(clear);
    return 0;
}
