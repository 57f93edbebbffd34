#include "store/NoteTemplate.h"

#include "store/NoteEditorFields.h"

#include <gtest/gtest.h>

namespace {

NoteRecord Saved(qint32 id, qint32 sourceId, const QStringList& path)
{
    NoteRecord note;
    note.NoteID = id;
    note.SourceID = sourceId;
    note.AttachedSource.SourceId = sourceId;
    note.PlainText = QStringLiteral("note %1").arg(id);
    note.KeyWords = QStringLiteral("words of %1").arg(id);
    NoteEditorFields::ApplyCategoryPath(note.Categories, path);
    return note;
}

} // namespace

TEST(NoteTemplate, KeepsTheTemplateWhileItIsListed)
{
    const NoteRecord kept = Saved(5, 1001, {QStringLiteral("Art")});
    const ListedNotes list = ListedNotesOf({Saved(4, 0, {}), kept, Saved(6, 0, {})});
    EXPECT_EQ(NoteTemplate::Choose(kept, list).NoteID, 5);
}

TEST(NoteTemplate, FallsBackToTheListsLastNote)
{
    const NoteRecord gone = Saved(5, 1001, {QStringLiteral("Art")});
    const ListedNotes list = ListedNotesOf({Saved(4, 0, {}), Saved(6, 0, {})});
    EXPECT_EQ(NoteTemplate::Choose(gone, list).NoteID, 6);
    EXPECT_EQ(NoteTemplate::Choose(NoteRecord(), list).NoteID, 6);
    EXPECT_LT(NoteTemplate::Choose(gone, ListedNotes()).NoteID, 0);
}

TEST(NoteTemplate, ANewNoteTakesSourceAndCategoriesOnly)
{
    const NoteRecord from = Saved(7, 1003, {QStringLiteral("Science"), QStringLiteral("Physics")});
    const NoteRecord note = NoteTemplate::NewNote(from);
    EXPECT_LT(note.NoteID, 0);
    EXPECT_EQ(note.SourceID, 1003);
    EXPECT_EQ(note.AttachedSource.SourceId, 1003);
    EXPECT_EQ(note.Categories.NameAt(1), QStringLiteral("Physics"));
    EXPECT_TRUE(note.PlainText.isEmpty());
    EXPECT_TRUE(note.KeyWords.isEmpty());
    EXPECT_TRUE(note.Attachments.isEmpty());

    const NoteRecord blank = NoteTemplate::NewNote(NoteRecord());
    EXPECT_EQ(blank.SourceID, 0);
    EXPECT_TRUE(blank.Categories.IsUnassigned());
}
