// The measurements the kept index's design was chosen by, on the same generated notes:
// SQLite's full-text search with the trigram tokenizer (with positions, and without them
// as a plain LIKE scan) against the vocabulary of tokens with a compressed bitmap of notes
// per token (SearchIndex). Each is built from the notes' shown texts and asked the same
// queries: a rare word, a syllable found in nearly every note, two letters. Prints build
// time, size on disk and the median time of each query; nothing passes or fails.
//
//   IndexDesignBenchmark DATA_ROOT [NOTES]   (NOTES: at most this many notes, all by
//                                            default)

#include "MedianTime.h"
#include "index/SearchIndex.h"
#include "index/ShownText.h"
#include "index/TextMatcher.h"
#include "lists/SearchQuery.h"
#include "store/NoteDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace {

qint64 Count(sqlite3* db, const QByteArray& sql, const QByteArray& pattern)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    sqlite3_bind_text(statement, 1, pattern.constData(), -1, SQLITE_TRANSIENT);
    qint64 count = 0;
    if (sqlite3_step(statement) == SQLITE_ROW)
        count = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return count;
}

// One full-text table of the texts: detail "full" keeps positions, "none" only which
// rows hold a trigram.
void FullText(const std::vector<QByteArray>& texts, const QString& folder, const char* detail)
{
    const QString path = folder + QStringLiteral("/fts-%1.sqlite").arg(QLatin1String(detail));
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    QElapsedTimer timer;
    timer.start();
    const QByteArray create
        = QByteArray("CREATE VIRTUAL TABLE t USING fts5(x, tokenize='trigram', detail=") + detail + ")";
    sqlite3_exec(db, create.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t(x) VALUES(?1)", -1, &insert, nullptr);
    for (const QByteArray& text : texts) {
        sqlite3_bind_text(insert, 1, text.constData(), int(text.size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    const double buildSeconds = double(timer.nsecsElapsed()) / 1e9;
    std::printf("fts5 trigram, detail=%-5s build %6.1f s, %7.1f MB\n", detail, buildSeconds,
                double(QFileInfo(path).size()) / 1e6);
    for (const char* term : {"zyxwv", "kalomi", "tor", "ka"}) {
        qint64 found = 0;
        const double ms = MedianMs(3, [&] {
            found = Count(db, "SELECT count(*) FROM t WHERE x LIKE ?1", QByteArray("%") + term + "%");
        });
        std::printf("    %-8s %7lld notes %9.1f ms\n", term, static_cast<long long>(found), ms);
    }
    sqlite3_close(db);
    QFile::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: IndexDesignBenchmark DATA_ROOT [NOTES]\n");
        return 2;
    }
    const DataFolder folder(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[1]));
    const qsizetype limit = argc > 2 ? std::atoll(argv[2]) : -1;
    QTemporaryDir work(QStringLiteral("/tmp/index-design-XXXXXX"));

    // The shown texts, read once.
    std::vector<QByteArray> texts;
    qint64 bytes = 0;
    QStringList names = NoteDatabase::NoteFileNames(folder);
    for (const QString& name : names) {
        for (const NoteRecord& note : ReadNoteFile(QDir(folder.NotesFolder()).filePath(name))) {
            if (limit >= 0 && qsizetype(texts.size()) >= limit)
                break;
            const QByteArray rtf = note.RichText.toUtf8();
            texts.push_back(ShownTextOfStoredRtf(rtf.constData(), rtf.size()).toUtf8());
            bytes += texts.back().size();
        }
    }
    std::printf("%lld notes, %.1f MB of shown text\n", static_cast<long long>(texts.size()),
                double(bytes) / 1e6);

    FullText(texts, work.path(), "full");
    FullText(texts, work.path(), "none");

    SearchIndex index(folder.NotesFolder(), SearchIndex::FileFor(work.path(), folder.NotesFolder()));
    QElapsedTimer timer;
    timer.start();
    index.Rebuild(names);
    std::printf("vocabulary and bitmaps     build %6.1f s, %7.1f MB (all %d notes, texts kept)\n",
                double(timer.nsecsElapsed()) / 1e9, double(QFileInfo(index.IndexFile()).size()) / 1e6,
                index.NoteCount());
    for (const char* term : {"zyxwv", "kalomi", "tor", "ka"}) {
        const TextMatcher rules(SearchQuery::None, {QString::fromLatin1(term)});
        int found = 0;
        const double ms = MedianMs(5, [&] { index.Find(rules, names, -1, &found); });
        std::printf("    %-8s %7d notes %9.1f ms\n", term, found, ms);
    }
    return 0;
}
