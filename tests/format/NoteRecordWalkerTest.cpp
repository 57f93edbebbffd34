#include "format/NoteRecordWalker.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/NoteFile.h"
#include "format/NoteRecord.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

// The versions at which fields came in, and one on each side of every such step.
const double kVersions[] = {0.9, 0.95, 0.96, 0.982, 0.99, 1.02, 1.03, 1.1, 1.2, 1.34};

DateTime Moment(int day)
{
    return DateTime::FromParts(2008, 8, day, 21, 23, 56);
}

struct StoredAttachment
{
    qint32 shift;
    double scale;
    const char* title;
    const char* storedName;
    const char* originalName;
    qint32 kind;
    bool shown;
};

const StoredAttachment kAttachments[] = {
    {12, 0.5, "scan\nof page", "0000001.bmp", "page.jpg", 3, false},
    {-4, 2.0, "", "0000002.txt", "notes.txt", 1, true},
};

// A note file of the given version, written field by field in that version's layout:
// the GUID and the attachment list only above 0.95, each attachment's shift above 0.982
// and its kind and flag above 1.02, the spell-check flag above 1.1. The second record was
// never saved (id -1); the third has no GUID.
QByteArray FileOfVersion(double version)
{
    FieldWriter writer;
    writer.WriteReal(version);
    writer.WriteInt(3);
    for (int record = 0; record < 3; ++record) {
        writer.WriteInt(record == 1 ? -1 : 100 + record);
        writer.WriteInt(record == 0 ? 7 : 0);
        writer.WriteTime(Moment(10 + record));
        writer.WriteTime(Moment(20 + record));
        if (version > 0.9501)
            writer.WriteText(record == 2 ? QString() : QStringLiteral("{GUID-%1}").arg(record));
        writer.WriteText(QStringLiteral("Art, Caf\u00e9 %1").arg(record));
        writer.WriteText(QStringLiteral("kept\n"));
        if (version > 1.1001)
            writer.WriteBool(false);
        if (version > 0.9501) {
            writer.WriteInt(record == 0 ? 2 : 0);
            for (int a = 0; record == 0 && a < 2; ++a) {
                const StoredAttachment& stored = kAttachments[a];
                if (version > 0.9821)
                    writer.WriteInt(stored.shift);
                writer.WriteReal(stored.scale);
                writer.WriteText(QString::fromUtf8(stored.title));
                writer.WriteText(QString::fromUtf8(stored.storedName));
                writer.WriteText(QString::fromUtf8(stored.originalName));
                if (version > 1.0201) {
                    writer.WriteInt(stored.kind);
                    writer.WriteBool(stored.shown);
                }
            }
        }
        writer.WriteText(QStringLiteral("line one\nline %1").arg(record));
        writer.WriteText(QStringLiteral("{\\rtf1 line one\\par line %1}").arg(record));
        writer.WriteInt(2);
        for (int level = 0; level < 2; ++level) {
            writer.WriteInt(level);
            writer.WriteText(QStringLiteral("Level %1").arg(level));
            writer.WriteText(level == 0 ? QStringLiteral("<UNASSIGNED>") : QStringLiteral("Level 0"));
        }
    }
    return writer.LogicalBytes();
}

// Where each record of the file ends, walked with every field kept.
QList<qsizetype> RecordEnds(const QByteArray& bytes)
{
    NoteFileWalker walker(bytes.constData(), bytes.size());
    QList<qsizetype> ends;
    while (walker.HasNext()) {
        NoteRecord record;
        walker.NextWhole(record);
        ends.append(walker.Position());
    }
    return ends;
}

// Hands over every viewed field: which one, and the bytes.
struct ViewLog
{
    QList<NoteField> fields;
    QList<QByteArrayView> bytes;

    void View(NoteField field, QByteArrayView viewed)
    {
        fields.append(field);
        bytes.append(viewed);
    }
};

// Walks the file keeping only F, then viewing only F, and checks both against the full
// walk: the same record boundaries, the same value, the same bytes.
template<NoteField F>
void ExpectOneFieldAgrees(const QByteArray& bytes, const QList<NoteRecord>& whole, const char* what)
{
    constexpr NoteFieldUses kKeepOne = NoteFieldUses::All(FieldUse::Skip).With(F, FieldUse::Keep);
    const QList<qsizetype> ends = RecordEnds(bytes);
    NoteFileWalker keeping(bytes.constData(), bytes.size());
    for (qsizetype i = 0; i < ends.size(); ++i) {
        NoteRecord record;
        keeping.Next<kKeepOne>(record);
        EXPECT_EQ(keeping.Position(), ends.at(i)) << what << " record " << i;
        const NoteRecord& full = whole.at(i);
        if constexpr (F == NoteField::NoteGUID) {
            // A record without a GUID gets a new one at each read.
            EXPECT_EQ(record.NoteGUID.size() == 38, full.NoteGUID.size() == 38) << what;
            if (full.NoteGUID.size() != 38)
                EXPECT_EQ(record.NoteGUID, full.NoteGUID) << what;
        } else if constexpr (F == NoteField::CategoryLevel || F == NoteField::CategoryName
                             || F == NoteField::CategoryParent) {
            ASSERT_EQ(record.Categories.entries.size(), full.Categories.entries.size()) << what;
            for (qsizetype e = 0; e < full.Categories.entries.size(); ++e) {
                EXPECT_EQ(NoteRecordWalk::Member<F>(record.Categories.entries[e]),
                          NoteRecordWalk::Member<F>(full.Categories.entries.at(e)))
                    << what;
            }
        } else {
            EXPECT_TRUE(NoteRecordWalk::Member<F>(record) == NoteRecordWalk::Member<F>(full)) << what;
        }
    }
    EXPECT_FALSE(keeping.HasNext()) << what;
}

// The same for a Text or DateTime field handed over in place.
template<NoteField F>
void ExpectViewAgrees(const QByteArray& bytes, const QList<NoteRecord>& whole, const char* what)
{
    constexpr NoteFieldUses kViewOne = NoteFieldUses::All(FieldUse::Skip).With(F, FieldUse::View);
    const QList<qsizetype> ends = RecordEnds(bytes);
    NoteFileWalker viewing(bytes.constData(), bytes.size());
    for (qsizetype i = 0; i < ends.size(); ++i) {
        NoteRecord untouched;
        ViewLog log;
        viewing.Next<kViewOne>(untouched, log);
        EXPECT_EQ(viewing.Position(), ends.at(i)) << what;
        for (const QByteArrayView viewed : log.bytes) {
            // In place: the view points into the walked bytes.
            EXPECT_GE(viewed.data(), bytes.constData()) << what;
            EXPECT_LE(viewed.data() + viewed.size(), bytes.constData() + bytes.size()) << what;
        }
        EXPECT_TRUE(log.fields.count(F) == log.fields.size()) << what;
        const NoteRecord& full = whole.at(i);
        QStringList seen;
        for (const QByteArrayView viewed : log.bytes)
            seen.append(QString::fromUtf8(viewed));
        if constexpr (F == NoteField::CategoryName || F == NoteField::CategoryParent) {
            QStringList expected;
            for (const CategoryLevelEntry& entry : full.Categories.entries)
                expected.append(NoteRecordWalk::Member<F>(entry));
            EXPECT_EQ(seen, expected) << what;
        } else if constexpr (F == NoteField::DateAdded || F == NoteField::LastEdited) {
            EXPECT_EQ(seen, QStringList {QString::fromLatin1(NoteRecordWalk::Member<F>(full).ToFieldText())})
                << what;
        } else if constexpr (F == NoteField::NoteGUID) {
            // Viewed only where the version holds it; the full reader made the rest.
            EXPECT_LE(seen.size(), 1) << what;
            if (!seen.isEmpty() && !seen.first().isEmpty())
                EXPECT_EQ(seen.first(), full.NoteGUID) << what;
        } else {
            EXPECT_EQ(seen, QStringList {NoteRecordWalk::Member<F>(full)}) << what;
        }
    }
}

} // namespace

TEST(NoteRecordWalker, EveryVersionReadsByItsOwnLayout)
{
    for (const double version : kVersions) {
        const QByteArray bytes = FileOfVersion(version);
        const NotesList notes = ParseNoteFile(bytes);
        const QByteArray what = QByteArray::number(version);
        ASSERT_EQ(notes.size(), 2) << what.constData(); // the record of id -1 is dropped
        const NoteRecord& first = notes.at(0);
        EXPECT_EQ(first.NoteID, 100);
        EXPECT_EQ(first.SourceID, 7);
        EXPECT_EQ(first.DateAdded, Moment(10));
        EXPECT_EQ(first.LastEdited, Moment(20));
        EXPECT_EQ(first.KeyWords, QStringLiteral("Art, Caf\u00e9 0"));
        EXPECT_EQ(first.ReservedText, QStringLiteral("kept\n"));
        EXPECT_EQ(first.PlainText, QStringLiteral("line one\nline 0"));
        EXPECT_EQ(first.RichText, QStringLiteral("{\\rtf1 line one\\par line 0}"));
        ASSERT_EQ(first.Categories.entries.size(), 2);
        EXPECT_EQ(first.Categories.entries.at(1).level, 1);
        EXPECT_EQ(first.Categories.entries.at(1).name, QStringLiteral("Level 1"));
        EXPECT_EQ(first.Categories.entries.at(1).parentName, QStringLiteral("Level 0"));
        EXPECT_EQ(notes.at(1).NoteID, 102);

        // Absent fields take their defaults: on spell checking, no attachments, a new GUID.
        EXPECT_EQ(first.SpellCheck, version <= 1.1) << what.constData();
        const bool hasGuid = version > 0.9501;
        EXPECT_EQ(first.NoteGUID == QStringLiteral("{GUID-0}"), hasGuid) << what.constData();
        EXPECT_EQ(notes.at(1).NoteGUID.size(), 38) << what.constData(); // stored empty
        ASSERT_EQ(first.Attachments.size(), hasGuid ? 2 : 0) << what.constData();
        if (!hasGuid)
            continue;
        const AttachmentRecord& image = first.Attachments.at(0);
        const AttachmentRecord& text = first.Attachments.at(1);
        EXPECT_EQ(image.AttachmentValue, version > 0.9821 ? 12 : 0) << what.constData();
        EXPECT_EQ(text.AttachmentValue, version > 0.9821 ? -4 : 0) << what.constData();
        EXPECT_EQ(image.ImageScale, 0.5);
        EXPECT_EQ(image.Title, QStringLiteral("scan\nof page"));
        EXPECT_EQ(text.StoredName, QStringLiteral("0000002.txt"));
        EXPECT_EQ(image.OriginalName, QStringLiteral("page.jpg"));
        if (version > 1.0201) {
            EXPECT_EQ(image.Kind, 3) << what.constData(); // as stored
            EXPECT_FALSE(image.ShowImage) << what.constData();
            EXPECT_EQ(text.Kind, 1) << what.constData();
            EXPECT_TRUE(text.ShowImage) << what.constData();
        } else {
            // From the extension: a picture is shown, any other file is not.
            EXPECT_EQ(image.Kind, KindImage) << what.constData();
            EXPECT_TRUE(image.ShowImage) << what.constData();
            EXPECT_EQ(text.Kind, KindText) << what.constData();
            EXPECT_FALSE(text.ShowImage) << what.constData();
        }
    }
}

TEST(NoteRecordWalker, KeepSkipAndViewAgreeWithTheFullReadOnEveryVersion)
{
    for (const double version : kVersions) {
        QByteArray bytes = FileOfVersion(version);
        // Whole, and cut inside its last record: the cut record reads partly by every walk.
        for (const qsizetype size : {bytes.size(), bytes.size() - 30}) {
            const QByteArray part = bytes.left(size);
            NoteFileWalker walker(part.constData(), part.size());
            QList<NoteRecord> whole;
            while (walker.HasNext()) {
                whole.append(NoteRecord());
                walker.NextWhole(whole.last());
            }
            ASSERT_EQ(whole.size(), 3);
            const QByteArray what = QByteArray::number(version) + " size " + QByteArray::number(size);
            const char* w = what.constData();
            ExpectOneFieldAgrees<NoteField::NoteID>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::SourceID>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::DateAdded>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::LastEdited>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::NoteGUID>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::KeyWords>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::ReservedText>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::SpellCheck>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::Attachments>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::PlainText>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::RichText>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::CategoryLevel>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::CategoryName>(part, whole, w);
            ExpectOneFieldAgrees<NoteField::CategoryParent>(part, whole, w);
            ExpectViewAgrees<NoteField::DateAdded>(part, whole, w);
            ExpectViewAgrees<NoteField::NoteGUID>(part, whole, w);
            ExpectViewAgrees<NoteField::KeyWords>(part, whole, w);
            ExpectViewAgrees<NoteField::PlainText>(part, whole, w);
            ExpectViewAgrees<NoteField::RichText>(part, whole, w);
            ExpectViewAgrees<NoteField::CategoryName>(part, whole, w);
            ExpectViewAgrees<NoteField::CategoryParent>(part, whole, w);
            if (::testing::Test::HasFailure())
                FAIL() << "first difference at " << w;
        }
    }
}

TEST(NoteRecordWalker, ARecordReadAloneEqualsTheSameRecordOfTheFile)
{
    // The exchange files read records one by one through NoteRecord::Read.
    for (const double version : kVersions) {
        const QByteArray bytes = FileOfVersion(version);
        FieldReader reader(bytes);
        reader.ReadReal();
        reader.ReadInt();
        NoteRecord first;
        first.Read(reader, version);
        const NotesList notes = ParseNoteFile(bytes);
        ASSERT_FALSE(notes.isEmpty());
        if (version > 0.9501)
            EXPECT_TRUE(first.SameStoredFields(notes.first())) << version;
        EXPECT_EQ(first.Attachments, notes.first().Attachments) << version;
        EXPECT_EQ(reader.Position(), RecordEnds(bytes).first()) << version;
    }
}
