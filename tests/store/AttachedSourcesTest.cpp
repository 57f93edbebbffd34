// The sources notes carry are kept between fills, yet always as the files hold them now:
// a source or author changed through the store, or either file rewritten by another
// program, shows at the next fill; a source no file holds leaves its notes without one.
#include "format/AuthorsFile.h"
#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceNames.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabaseFixture.h"
#include "store/SourceStore.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

SourceRecord Book(qint32 id, const QString& title, QList<qint32> authors)
{
    SourceRecord source;
    source.SourceId = id;
    source.Type = SourceType::Book;
    source.Style = CitationStyle::Apa;
    source.Fields[0] = title;
    source.AuthorIds = std::move(authors);
    return source;
}

AuthorRecord Author(qint32 id, const QString& last)
{
    AuthorRecord author;
    author.AuthorId = id;
    author.FirstName = QStringLiteral("Ann");
    author.LastName = last;
    return author;
}

ListedNotes Citing(std::initializer_list<qint32> sourceIds)
{
    ListedNotes notes;
    for (const qint32 id : sourceIds) {
        ListedNote& note = notes.emplace_back();
        note.NoteID = int(notes.size());
        note.SourceID = id;
    }
    return notes;
}

class AttachedSourcesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteAuthors({Author(1, QStringLiteral("Voss")), Author(2, QStringLiteral("Lenk")),
                           Author(1, QStringLiteral("Later"))}); // the first of an id counts
        root.WriteSources(
            {Book(1001, QStringLiteral("Tides"), {2, 1, 9}), Book(1002, QStringLiteral("Salt"), {})});
        store.Load();
    }

    // The citation each note carries after a fill; "-" for none.
    QStringList Citations(ListedNotes notes) const
    {
        store.FillAttachedSources(notes);
        QStringList texts;
        for (const ListedNote& note : notes)
            texts.append(note.Source ? note.Source->CitationText : QStringLiteral("-"));
        return texts;
    }

    Root root;
    ChangeNotice changes;
    SourceStore store {root.folder, changes};
};

} // namespace

TEST_F(AttachedSourcesTest, CitationsNameTheFirstAuthorOfEachIdAndSkipUnknownOnes)
{
    // As a fill that looked each author up in the whole list: author 9 is no one's.
    NotesList records(1);
    records[0].SourceID = 1001;
    store.FillAttachedSources(records);
    SourceRecord expected = Book(1001, QStringLiteral("Tides"), {2, 1, 9});
    FormatCitation(expected, store.Authors());
    EXPECT_EQ(records[0].AttachedSource.CitationText, expected.CitationText);
    EXPECT_EQ(records[0].AttachedSource.AuthorIds, (QList<qint32> {2, 1}));
    EXPECT_TRUE(expected.CitationText.contains(QStringLiteral("Voss")));
    EXPECT_FALSE(expected.CitationText.contains(QStringLiteral("Later")));

    const ListedNotes notes = Citing({1001, 1001, 1999, 0});
    const QStringList texts = Citations(notes);
    EXPECT_EQ(texts,
              (QStringList {expected.CitationText, expected.CitationText, QStringLiteral("-"),
                            QStringLiteral("-")}));
}

TEST_F(AttachedSourcesTest, ChangesThroughTheStoreShowAtTheNextFill)
{
    const QString before = Citations(Citing({1001})).first();
    ASSERT_TRUE(store.RenameAuthor(2, QStringLiteral("Bo"), {}, QStringLiteral("Quill")));
    const QString renamed = Citations(Citing({1001})).first();
    EXPECT_NE(renamed, before);
    EXPECT_TRUE(renamed.contains(QStringLiteral("Quill")));

    SourceRecord retitled = *store.FindSource(1002);
    retitled.Fields[0] = QStringLiteral("Brine");
    ASSERT_EQ(store.UpdateSource(retitled), SourceStore::Update::Stored);
    EXPECT_TRUE(Citations(Citing({1002})).first().contains(QStringLiteral("Brine")));
}

TEST_F(AttachedSourcesTest, FilesRewrittenByAnotherProgramAreReadAfresh)
{
    EXPECT_TRUE(Citations(Citing({1002})).first().contains(QStringLiteral("Salt")));
    // Another program rewrites the sources: the next fill reads them, though this store
    // changed nothing.
    root.WriteSources({Book(1002, QStringLiteral("Pepper"), {1})});
    const QStringList texts = Citations(Citing({1002, 1001}));
    EXPECT_TRUE(texts.at(0).contains(QStringLiteral("Pepper")));
    EXPECT_EQ(texts.at(1), QStringLiteral("-")); // gone from the file
}
