// SortNotes on generated notes in memory, every keyed order, each the median of several
// runs (goal: 100,000 notes under one second). The citation texts are formatted as the
// current list fills them before a sort by source.
//
//   SortBenchmark [NOTES]   (default 100,000)

#include "ListsBenchData.h"
#include "lists/NoteSort.h"
#include "sources/CitationFormatter.h"

#include <QCoreApplication>
#include <QHash>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    NotesList notes = ListsBench::Notes(count);

    QRandomGenerator random(7);
    SourceList sources = ListsBench::Sources(random);
    const AuthorList authors = ListsBench::Authors();
    QHash<qint32, int> byId;
    for (int i = 0; i < sources.size(); ++i) {
        FormatCitation(sources[i], authors);
        byId.insert(sources[i].SourceId, i);
    }
    for (NoteRecord& note : notes) {
        const auto found = byId.constFind(note.SourceID);
        note.AttachedSource = found == byId.cend() ? SourceRecord() : sources.at(*found);
    }

    std::printf("%d notes\n", count);
    for (const int sortId : {701, 801, 702, 703, 803, 704, 804}) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            NotesList sorted = notes;
            sorted.detach(); // the current list owns its records
            times.push_back(ListsBench::MedianMs(1, [&] { SortNotes(sorted, sortId); }));
        }
        std::sort(times.begin(), times.end());
        const double ms = times[times.size() / 2];
        std::printf("SortNotes %d   %9.1f ms\n", sortId, ms);
    }
    return 0;
}
