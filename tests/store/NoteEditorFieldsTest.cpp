#include "store/NoteEditorFields.h"

#include "NoteDatabaseFixture.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <gtest/gtest.h>

using namespace DatabaseFixture;

namespace {

class NoteEditorFieldsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root.WriteSources({MakeSource(7, QStringLiteral("Seven"))});
        root.WriteRaw(file, "words");
        db.LoadNoteDatabase(sources);
    }

    Root root;
    QString file = root.DataPath(QStringLiteral("Reading.txt"));
    ChangeNotice changes;
    SourceStore sources {root.folder, changes};
    NoteDatabase db {root.folder, changes};
};

} // namespace

// Each level names the level above it as its parent; Level 1's parent is unassigned.
TEST_F(NoteEditorFieldsTest, CategoryPathNamesEachParent)
{
    CategoryAssignment categories;
    NoteEditorFields::ApplyCategoryPath(categories, {QStringLiteral("Art"), QStringLiteral(" Modern ")});
    ASSERT_EQ(categories.entries.size(), 4);
    EXPECT_EQ(categories.entries.at(0).parentName, QStringLiteral("<UNASSIGNED>"));
    EXPECT_EQ(categories.entries.at(1).name, QStringLiteral("Modern"));
    EXPECT_EQ(categories.entries.at(1).parentName, QStringLiteral("Art"));
    EXPECT_EQ(categories.entries.at(2).parentName, QStringLiteral("<UNASSIGNED>"));
    EXPECT_EQ(categories.entries.at(1).ancestorPath, QStringList {QStringLiteral("Art")});

    EXPECT_TRUE(
        NoteEditorFields::CategoryPathError(NoteEditorFields::SplitCategoryPath(QStringLiteral("A/B/C/D")))
            .isEmpty());
    EXPECT_EQ(
        NoteEditorFields::CategoryPathError(NoteEditorFields::SplitCategoryPath(QStringLiteral("A/B/C/D/E"))),
        QStringLiteral("A category path has at most four levels."));
}

// Apply changes only what is given; a file that cannot be attached stops it with the
// attachments dialog's message.
TEST_F(NoteEditorFieldsTest, ApplyChangesOnlyWhatIsGiven)
{
    NoteRecord note = MakeNote(5, 0, Day(2009, 1, 1), QStringLiteral("old"), {QStringLiteral("Art")});
    NoteEditorFields::NoteEditorChanges changes;
    changes.sourceId = 7;
    changes.attachments = {file};
    QString error;
    ASSERT_TRUE(NoteEditorFields::Apply(note, changes, sources, &error));
    EXPECT_EQ(note.SourceID, 7);
    EXPECT_EQ(note.AttachedSource.Fields[0], QStringLiteral("Seven"));
    EXPECT_EQ(note.KeyWords, QStringLiteral("old"));
    EXPECT_EQ(note.PlainText, QStringLiteral("Note 5"));
    EXPECT_EQ(note.Categories.NameAt(0), QStringLiteral("Art"));
    ASSERT_EQ(note.Attachments.size(), 1);
    EXPECT_EQ(note.Attachments.at(0).Title, QStringLiteral("Reading.txt"));
    EXPECT_EQ(note.Attachments.at(0).Kind, KindText);

    // The same file again, and a path that is no file, are refused.
    const QString message = QStringLiteral("File is already attached, or it is an invalid file.");
    EXPECT_FALSE(NoteEditorFields::Apply(note, changes, sources, &error));
    EXPECT_EQ(error, message);
    changes.attachments = {root.DataPath(QStringLiteral("missing.txt"))};
    EXPECT_FALSE(NoteEditorFields::Apply(note, changes, sources, &error));
    EXPECT_EQ(note.Attachments.size(), 1);

    // An unknown source id, like 0, leaves the note without a source.
    NoteEditorFields::NoteEditorChanges unknown;
    unknown.sourceId = 8;
    ASSERT_TRUE(NoteEditorFields::Apply(note, unknown, sources, &error));
    EXPECT_EQ(note.SourceID, 0);
    EXPECT_EQ(note.AttachedSource.SourceId, SourceRecord().SourceId);
}
