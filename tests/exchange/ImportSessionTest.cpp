// The comparison statuses, the category override of "Apply" and the data of the
// differences report.

#include "exchange/ImportSession.h"

#include "ExchangeFixture.h"
#include "exchange/ImportDifferences.h"

#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

CategoryAssignment Path(const QStringList& names)
{
    CategoryAssignment a;
    QString parent = UnassignedCategoryName();
    for (int level = 0; level < names.size(); ++level) {
        CategoryLevelEntry* entry = a.FindEntry(level);
        entry->level = level;
        entry->name = names[level];
        entry->parentName = parent;
        parent = names[level];
    }
    return a;
}

QStringList Names(const CategoryAssignment& a)
{
    return {a.NameAt(0), a.NameAt(1), a.NameAt(2), a.NameAt(3)};
}

QStringList Parents(const CategoryAssignment& a)
{
    QStringList parents;
    for (int level = 0; level < 4; ++level)
        parents.append(a.FindEntry(level) ? a.FindEntry(level)->parentName : QStringLiteral("-"));
    return parents;
}

const QString U = QStringLiteral("<UNASSIGNED>");
const QString Keep = QStringLiteral("<DO NOT MODIFY>");
const QString Clear = QStringLiteral("<SET UNASSIGNED>");

} // namespace

TEST(ImportSession, ComparesByGuidAndLastEditedOnly)
{
    const DateTime t = DateTime::FromParts(2010, 1, 1, 10, 0, 0);
    NotesList database = {MakeNote(1, QStringLiteral("{A}"), QStringLiteral("a"), 0, t),
                          MakeNote(2, QStringLiteral("{B}"), QStringLiteral("b"), 0, t),
                          MakeNote(3, QStringLiteral("{C}"), QStringLiteral("c"), 0, t),
                          MakeNote(4, QStringLiteral("{D}"), QStringLiteral("d"), 0, DateTime::Invalid())};
    NotesList incoming = {
        MakeNote(1, QStringLiteral("{A}"), QStringLiteral("changed text, same date"), 0, t),
        MakeNote(2, QStringLiteral("{B}"), QStringLiteral("b"), 0, DateTime::FromParts(2010, 1, 1, 10, 0, 1)),
        MakeNote(3, QStringLiteral("{C}"), QStringLiteral("c"), 0,
                 DateTime::FromParts(2009, 12, 31, 10, 0, 0)),
        MakeNote(4, QStringLiteral("{D}"), QStringLiteral("d"), 0, t),
        MakeNote(5, QStringLiteral("{a}"), QStringLiteral("guid case differs"), 0, t),
    };
    ImportSession session(incoming, database);
    const QList<ImportComparison> expected
        = {ImportComparison::Same, ImportComparison::Newer, ImportComparison::Older, ImportComparison::Same,
           ImportComparison::New};
    for (int i = 0; i < session.Count(); ++i)
        EXPECT_EQ(session.Items()[i].comparison, expected[i]) << i;
    EXPECT_EQ(session.StatusText(4), QStringLiteral(" 5. - <NEW NOTE>"));
    EXPECT_EQ(session.StatusText(2), QStringLiteral(" 3. - EXISTS (older)"));
    EXPECT_EQ(session.Items()[4].ImportStatus(), 11);
    EXPECT_EQ(session.Items()[0].ImportStatus(), 22);
    EXPECT_EQ(session.ExistingNote(2)->NoteID, 3);
    EXPECT_EQ(session.ListedRows(false), (QList<int> {1, 2, 4}));
    EXPECT_EQ(ImportCheckImage(ImportComparison::Older), 4);
    EXPECT_EQ(ImportCheckImage(ImportComparison::Same), 5);

    // Editing a same or older note makes it newer; a new note stays new.
    session.ReplaceNote(0, session.Items()[0].note);
    session.ReplaceNote(4, session.Items()[4].note);
    EXPECT_EQ(session.Items()[0].comparison, ImportComparison::Newer);
    EXPECT_EQ(session.Items()[4].comparison, ImportComparison::New);
}

TEST(ImportSession, CategoryOverrideRules)
{
    // Replace level 2, keep the rest: parents follow the names above.
    CategoryAssignment a
        = Path({QStringLiteral("Science"), QStringLiteral("Physics"), QStringLiteral("Optics")});
    EXPECT_TRUE(OverrideCategories(a, {Keep, QStringLiteral("Chemistry"), Keep, Keep}));
    EXPECT_EQ(
        Names(a),
        (QStringList {QStringLiteral("Science"), QStringLiteral("Chemistry"), QStringLiteral("Optics"), U}));
    EXPECT_EQ(
        Parents(a),
        (QStringList {U, QStringLiteral("Science"), QStringLiteral("Chemistry"), QStringLiteral("Optics")}));

    // Unassigning level 1 unassigns everything below, whatever was chosen there.
    a = Path({QStringLiteral("Science"), QStringLiteral("Physics")});
    EXPECT_TRUE(OverrideCategories(a, {Clear, QStringLiteral("Ignored"), Keep, Keep}));
    EXPECT_EQ(Names(a), (QStringList {U, U, U, U}));
    EXPECT_TRUE(a.IsUnassigned());

    // Keeping every level changes nothing.
    a = Path({QStringLiteral("Science"), QStringLiteral("Physics")});
    EXPECT_FALSE(OverrideCategories(a, {Keep, Keep, Keep, Keep}));
}

TEST(ImportSession, ApplyTurnsSameAndOlderIntoNewer)
{
    const DateTime t = DateTime::FromParts(2010, 1, 1, 10, 0, 0);
    NoteRecord same = MakeNote(1, QStringLiteral("{A}"), QStringLiteral("a"), 0, t);
    same.Categories = Path({QStringLiteral("Science")});
    NoteRecord older = MakeNote(2, QStringLiteral("{B}"), QStringLiteral("b"), 0, t);
    older.Categories = Path({QStringLiteral("History")});
    NoteRecord olderIn = older;
    olderIn.LastEdited = DateTime::FromParts(2009, 1, 1, 0, 0, 0);
    ImportSession session({same, olderIn}, {same, older});
    const DateTime now = DateTime::FromParts(2011, 2, 3, 4, 5, 6);
    // Row 1 already is "History": only row 0 changes.
    EXPECT_EQ(session.ApplyCategoryOverride({0, 1}, {QStringLiteral("History")}, now), 1);
    EXPECT_EQ(session.Items()[0].comparison, ImportComparison::Newer);
    EXPECT_EQ(session.Items()[0].note.LastEdited, now);
    EXPECT_EQ(session.Items()[0].note.Categories.NameAt(0), QStringLiteral("History"));
    EXPECT_EQ(session.Items()[1].comparison, ImportComparison::Older);
    EXPECT_EQ(session.Items()[1].note.LastEdited, olderIn.LastEdited);
}

TEST(ImportDifferences, RowsInReportOrder)
{
    NoteRecord mine = MakeNote(1, QStringLiteral("{A}"), QStringLiteral("longer text"), 1001,
                               DateTime::FromParts(2010, 1, 3, 14, 5, 0));
    NoteRecord theirs = MakeNote(1, QStringLiteral("{A}"), QStringLiteral("short"), 0,
                                 DateTime::FromParts(2010, 1, 1, 9, 0, 0));
    mine.Categories = Path({QStringLiteral("Science"), QStringLiteral("Physics")});
    theirs.Categories = Path({QStringLiteral("Science"), QStringLiteral("Chemistry")});
    mine.KeyWords = QStringLiteral("light");
    mine.AttachedSource = MakeSource(1001, QStringLiteral("{S}"), QStringLiteral("Optics"), {});
    mine.AttachedSource.Type = 2;
    mine.AttachedSource.EmbeddedAuthors = {MakeAuthor(5, QStringLiteral("Isaac"), QStringLiteral("Newton")),
                                           MakeAuthor(6, QStringLiteral("Robert"), QStringLiteral("Hooke"))};
    theirs.Attachments = {MakeAttachment(QStringLiteral("0000001.jpg"), QStringLiteral("Prism"))};
    const QList<DifferenceRow> rows = BuildDifferenceRows(mine, theirs, {}, {});
    const QList<DifferenceRow> expected = {
        {QStringLiteral("Date Last Modified:"), QStringLiteral("01/03/2010  -  02:05:00 PM"),
         QStringLiteral("01/01/2010  -  09:00:00 AM")},
        {QStringLiteral("Text Changed:"), QStringLiteral("11 characters"), QStringLiteral("5 characters")},
        {QStringLiteral("Categories Changed:"), {}, {}},
        {QStringLiteral("         Level 1:"), QStringLiteral("Science"), QStringLiteral("Science")},
        {QStringLiteral("         Level 2:"), QStringLiteral("Physics"), QStringLiteral("Chemistry")},
        {QStringLiteral("         Level 3:"), U, U},
        {QStringLiteral("         Level 4:"), U, U},
        {QStringLiteral("Source Changed:"), {}, {}},
        {QStringLiteral("         Type:"), QStringLiteral("Journal Article"), QStringLiteral("Book")},
        {QStringLiteral("         Title:"), QStringLiteral("Optics"), {}},
        {QStringLiteral("         Publication:"), QStringLiteral("Publisher of Optics"), {}},
        {QStringLiteral("         Author(s):"), QStringLiteral("Isaac Newton,  Robert Hooke"), {}},
        {QStringLiteral("         Date:"), {}, {}},
        {QStringLiteral("Key Words Changed:"), QStringLiteral("light"), {}},
        {QStringLiteral("Attached Files:"), QStringLiteral("0"), QStringLiteral("1")},
        {{}, {}, QStringLiteral("Prism")},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, expected[i].label) << i;
        EXPECT_EQ(rows[i].importValue, expected[i].importValue) << i;
        EXPECT_EQ(rows[i].databaseValue, expected[i].databaseValue) << i;
    }
    // Identical notes: the date row, and the attachments since there are some.
    const QList<DifferenceRow> same = BuildDifferenceRows(theirs, theirs, {}, {});
    ASSERT_EQ(same.size(), 3);
    EXPECT_EQ(same[1].label, QStringLiteral("Attached Files:"));
    EXPECT_EQ(same[2].databaseValue, QStringLiteral("Prism"));
}

TEST(ImportDifferences, AgeSentence)
{
    const DateTime db = DateTime::FromParts(2010, 1, 1, 9, 0, 0);
    EXPECT_EQ(ImportAgeSentence(DateTime::FromParts(2010, 1, 3, 14, 5, 0), db),
              QStringLiteral("The import note is 2 days, 5 hours, and 5 minutes NEWER than the same note "
                             "currently in the database."));
    EXPECT_EQ(ImportAgeSentence(DateTime::FromParts(2009, 12, 31, 8, 59, 0), db),
              QStringLiteral("The import note is 1 days, 0 hours, and 1 minutes OLDER than the same note "
                             "currently in the database."));
    EXPECT_TRUE(ImportAgeSentence(db, db).isEmpty());
    EXPECT_TRUE(ImportAgeSentence(DateTime::Invalid(), db).isEmpty());
}

TEST(ImportDifferences, SourcelessNotesShowNoSourceChange)
{
    // Reading a blank source from an archive gives it a GUID of its own; a note that
    // cites no source on either side still has no source to compare.
    NoteRecord incoming;
    incoming.SourceID = 0;
    incoming.AttachedSource.SourceGUID = QStringLiteral("{88F959AD-EE09-4C88-8280-2095DC5B6F30}");
    NoteRecord database = incoming;
    database.AttachedSource = SourceRecord();
    for (const DifferenceRow& row : BuildDifferenceRows(incoming, database, {}, {}))
        EXPECT_NE(row.label, QStringLiteral("Source Changed:"));

    // A cited source that the database note lacks is still reported.
    incoming.SourceID = 1001;
    bool reported = false;
    for (const DifferenceRow& row : BuildDifferenceRows(incoming, database, {}, {}))
        reported = reported || row.label == QStringLiteral("Source Changed:");
    EXPECT_TRUE(reported);
}
