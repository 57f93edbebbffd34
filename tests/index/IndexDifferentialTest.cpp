// The kept index answers every search with the notes that reading every note file finds,
// in the same order and with the same keys: thousands of random queries over random
// notes with rich formatting, before and after the files change under it.

#include "index/RandomNotes.h"
#include "index/SearchIndex.h"
#include "index/TextMatcher.h"
#include "index/TextTokenizer.h"
#include "lists/DatabaseSearch.h"
#include "store/NoteDatabase.h"
#include "store/NoteDatabaseFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

constexpr int kNotes = 240;
constexpr int kFiles = 24;

struct Corpus
{
    Root root;
    QTemporaryDir cache;
    RandomNotes::Maker maker {2112};
    QList<NotesList> files;
    QStringList texts; // shown texts, for terms that reach across words

    Corpus()
    {
        for (int f = 0; f < kFiles; ++f)
            files.append(NotesList());
        for (int id = 1; id <= kNotes; ++id) {
            NoteRecord note = maker.Note(id, maker.Pick(5));
            // Now and then the same note twice, in two files, as a damaged folder may hold.
            files[maker.Pick(kFiles)].append(note);
            if (maker.Chance(2))
                files[maker.Pick(kFiles)].append(note);
            const QByteArray rtf = note.RichText.toLatin1();
            texts.append(ShownTextOfStoredRtf(rtf.constData(), rtf.size()));
        }
        WriteAll();
    }

    QString Name(int f) const { return QStringLiteral("DAY%1.dat").arg(f, 8, 10, QLatin1Char('0')); }
    void WriteAll() const
    {
        for (int f = 0; f < kFiles; ++f)
            root.WriteNotes(Name(f), files[f]);
    }
    QStringList Names() const { return NoteDatabase::NoteFileNames(root.folder); }
    QStringList Paths() const
    {
        QStringList paths;
        for (const QString& name : Names())
            paths.append(root.NotesPath(name));
        return paths;
    }
};

SearchQuery Parsed(const QString& text)
{
    SearchQuery query;
    ParseQuery(text, &query);
    return query;
}

void ExpectSame(const ListedNotes& read, const ListedNotes& indexed, const QString& query)
{
    ASSERT_EQ(read.size(), indexed.size()) << qPrintable(query);
    for (qsizetype i = 0; i < read.size(); ++i) {
        const ListedNote& a = read.at(i);
        const ListedNote& b = indexed.at(i);
        ASSERT_EQ(a.NoteID, b.NoteID) << qPrintable(query) << " at " << i;
        EXPECT_EQ(a.SourceID, b.SourceID) << qPrintable(query);
        EXPECT_EQ(a.DateAdded, b.DateAdded) << qPrintable(query);
        EXPECT_EQ(a.LastEdited, b.LastEdited) << qPrintable(query);
        EXPECT_EQ(a.Categories, b.Categories) << qPrintable(query);
        EXPECT_EQ(a.TextLines, b.TextLines) << qPrintable(query);
        EXPECT_EQ(a.TextChars, b.TextChars) << qPrintable(query);
        EXPECT_EQ(bool(a.Highlight), bool(b.Highlight)) << qPrintable(query);
    }
}

// Runs count random queries in both ways; held: notes the caller lists already.
void CompareQueries(Corpus& corpus, SearchIndex& index, int count, const QSet<qint32>& held = {})
{
    const QStringList names = corpus.Names();
    const QStringList paths = corpus.Paths();
    for (int i = 0; i < count; ++i) {
        const QString text = corpus.maker.Query(corpus.texts);
        const SearchQuery query = Parsed(text);
        const ListedNotes read = SearchDatabase(query, paths, held);
        const std::optional<ListedNotes> indexed = SearchDatabaseIndexed(query, index, names, held);
        ASSERT_TRUE(indexed.has_value()) << qPrintable(text);
        ExpectSame(read, *indexed, text);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(IndexDifferentialTest, RandomQueriesFindWhatReadingFinds)
{
    Corpus corpus;
    SearchIndex index(corpus.root.folder.NotesFolder(),
                      SearchIndex::FileFor(corpus.cache.path(), corpus.root.folder.NotesFolder()));
    ASSERT_TRUE(index.Rebuild(corpus.Names()));
    CompareQueries(corpus, index, 2500);
    CompareQueries(corpus, index, 300, {3, 5, 8, 13, 21, 34, 55, 89, 144});
    for (const QString& text : {QStringLiteral("SHOWALL"), QStringLiteral("AND"), QStringLiteral("\"\""),
                                QStringLiteral("\""), QStringLiteral("cat AND ORANGE")}) {
        const SearchQuery query = Parsed(text);
        const std::optional<ListedNotes> indexed = SearchDatabaseIndexed(query, index, corpus.Names());
        ASSERT_TRUE(indexed.has_value());
        ExpectSame(SearchDatabase(query, corpus.Paths()), *indexed, text);
    }
}

// A term of a word's end, the characters after the word and the next word's start, of
// at most three letters each, is settled by the index alone: no note file is read.
TEST(IndexDifferentialTest, TermsAcrossWordsWithShortEndsAreSettledWithoutReadingNotes)
{
    Corpus corpus;
    SearchIndex index(corpus.root.folder.NotesFolder(),
                      SearchIndex::FileFor(corpus.cache.path(), corpus.root.folder.NotesFolder()));
    ASSERT_TRUE(index.Rebuild(corpus.Names()));
    const auto word = [](const QString& text, qsizetype at) {
        return at >= 0 && at < text.size() && IsWordChar(text.at(at).unicode()) && !text.at(at).isSurrogate();
    };
    int tried = 0;
    for (const QString& text : std::as_const(corpus.texts)) {
        for (qsizetype at = 0; at + 1 < text.size() && tried < 300; ++at) {
            if (!word(text, at) || word(text, at + 1) || !corpus.maker.Chance(20))
                continue;
            qsizetype start = at;
            for (int more = corpus.maker.Pick(3); more > 0 && word(text, start - 1); --more)
                --start;
            qsizetype end = at + 1;
            while (end < text.size() && !word(text, end) && !text.at(end).isSurrogate())
                ++end;
            for (int more = corpus.maker.Pick(4); more > 0 && word(text, end); --more)
                ++end;
            if (end < text.size() && text.at(end).isSurrogate())
                continue;
            QString term = text.mid(start, end - start).trimmed();
            if (term.contains(QLatin1String("AND")) || term.contains(QLatin1String("OR"))
                || term.contains(QLatin1Char('"')) || TextTokenizer::Runs(term).size() < 2)
                continue;
            ++tried;
            const SearchQuery query = Parsed(term);
            const std::optional<ListedNotes> indexed = SearchDatabaseIndexed(query, index, corpus.Names());
            ASSERT_TRUE(indexed.has_value());
            ExpectSame(SearchDatabase(query, corpus.Paths()), *indexed, term);
            EXPECT_EQ(index.ConfirmedByLastFind(), 0) << qPrintable(term);
            if (HasFailure())
                return;
        }
    }
    EXPECT_GT(tried, 100);
}

// Typed letter by letter, each query narrows the one before, which the index remembers:
// every answer is still that of reading, also after a note file changed in between.
TEST(IndexDifferentialTest, TermsTypedLetterByLetterFindWhatReadingFinds)
{
    Corpus corpus;
    SearchIndex index(corpus.root.folder.NotesFolder(),
                      SearchIndex::FileFor(corpus.cache.path(), corpus.root.folder.NotesFolder()));
    ASSERT_TRUE(index.Rebuild(corpus.Names()));
    for (int word = 0; word < 40; ++word) {
        const QString text = corpus.texts.at(corpus.maker.Pick(int(corpus.texts.size())));
        const QString typed = text.mid(corpus.maker.Pick(int(std::max<qsizetype>(1, text.size() - 12))), 12);
        const QString other = corpus.maker.Term(corpus.texts);
        for (int length = 1; length <= typed.size(); ++length) {
            if (word % 4 == 3 && length == 4) {
                // Another copy of the folder changes a file meanwhile.
                NotesList& file = corpus.files[corpus.maker.Pick(kFiles)];
                file.append(corpus.maker.Note(kNotes + 1000 + word, 0));
                corpus.WriteAll();
            }
            const QString piece = typed.left(length);
            for (const QString& query : QStringList {piece, piece + QStringLiteral(" OR ") + other}) {
                const SearchQuery parsed = Parsed(query);
                const std::optional<ListedNotes> indexed
                    = SearchDatabaseIndexed(parsed, index, corpus.Names());
                ASSERT_TRUE(indexed.has_value());
                ExpectSame(SearchDatabase(parsed, corpus.Paths()), *indexed, query);
                if (HasFailure())
                    return;
            }
        }
    }
}

TEST(IndexDifferentialTest, AnswersStayTheSameAsFilesChange)
{
    Corpus corpus;
    SearchIndex index(corpus.root.folder.NotesFolder(),
                      SearchIndex::FileFor(corpus.cache.path(), corpus.root.folder.NotesFolder()));
    ASSERT_TRUE(index.Rebuild(corpus.Names()));
    qint32 nextId = kNotes + 1;
    for (int round = 0; round < 6; ++round) {
        // New notes, changed texts, notes moved between files, keys changed, files gone.
        for (int change = 0; change < 8; ++change) {
            NotesList& file = corpus.files[corpus.maker.Pick(kFiles)];
            const int what = corpus.maker.Pick(5);
            if (what == 0 || file.isEmpty()) {
                file.append(corpus.maker.Note(nextId++, 1));
            } else if (what == 1) {
                NoteRecord& note = file[corpus.maker.Pick(int(file.size()))];
                note = corpus.maker.Note(note.NoteID, note.SourceID);
            } else if (what == 2) {
                corpus.files[corpus.maker.Pick(kFiles)].append(
                    file.takeAt(corpus.maker.Pick(int(file.size()))));
            } else if (what == 3) {
                file[corpus.maker.Pick(int(file.size()))].LastEdited = Day(2024, 1, 1 + round);
            } else {
                file.removeAt(corpus.maker.Pick(int(file.size())));
            }
        }
        corpus.WriteAll();
        if (round == 3)
            QFile::remove(corpus.root.NotesPath(corpus.Name(7)));
        if (round == 4)
            corpus.root.WriteNotes(corpus.Name(7), corpus.files[7]);
        CompareQueries(corpus, index, 250);
        // Opened afresh, the index is as it was stored after the changes: nothing is
        // read again or built anew, and it answers as the files do.
        SearchIndex reopened(corpus.root.folder.NotesFolder(), index.IndexFile());
        int refreshed = -1;
        ASSERT_TRUE(reopened.Refresh(corpus.Names(), &refreshed));
        EXPECT_EQ(refreshed, 0);
        CompareQueries(corpus, reopened, 100);
    }
}

TEST(IndexDifferentialTest, CurrentNotesSearchKeepsTheListOrder)
{
    Corpus corpus;
    SearchIndex index(corpus.root.folder.NotesFolder(),
                      SearchIndex::FileFor(corpus.cache.path(), corpus.root.folder.NotesFolder()));
    ASSERT_TRUE(index.Rebuild(corpus.Names()));
    // A list in an order of its own, holding some notes of some files.
    ListedNotes list;
    QStringList filesOfList;
    for (int f : {5, 2, 17, 9}) {
        for (const NoteRecord& note : corpus.files[f])
            list.prepend(ListedNote::Of(note));
        filesOfList.append(corpus.Name(f));
    }
    QStringList listPaths;
    for (const QString& name : filesOfList)
        listPaths.append(corpus.root.NotesPath(name));
    for (int i = 0; i < 400; ++i) {
        const QString text = corpus.maker.Query(corpus.texts);
        const SearchQuery query = Parsed(text);
        const std::optional<ListedNotes> indexed
            = FilterListedNotesIndexed(query, list, index, corpus.Names(), filesOfList);
        ASSERT_TRUE(indexed.has_value());
        ExpectSame(FilterListedNotes(query, list, listPaths), *indexed, text);
        if (HasFailure())
            return;
    }
}

} // namespace
