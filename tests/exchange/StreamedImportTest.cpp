// The import reads the archive's data file entry by entry, while it is being unpacked,
// and holds no note texts: the notes it hands over, with their texts read again (or
// copied as stored), must be exactly those that the whole file read at once gives,
// whatever the line ends, the length of the texts or the damage at the file's end; the
// chooser still sees both notes whole.

#include "ExchangeFixture.h"
#include "exchange/ExchangeCommands.h"
#include "exchange/ExportDataFile.h"
#include "exchange/GrowingFile.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportDataFile.h"
#include "exchange/ImportNotes.h"
#include "exchange/ImportSession.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "platform/ProgressReporter.h"

#include <gtest/gtest.h>
#include <thread>

using namespace exchange_test;

namespace {

// A data file of notes with long texts full of line feeds, so that entries and CR LF
// pairs straddle the pieces the reader takes.
QByteArray DataFileBytes(int count)
{
    NotesList notes;
    for (int i = 1; i <= count; ++i) {
        QString text;
        for (int line = 0; line < 20000 * (i % 3); ++line)
            text += QStringLiteral("line %1 of note %2\n").arg(line).arg(i);
        NoteRecord note = MakeNote(i, QStringLiteral("{N%1}").arg(i), text + QStringLiteral("end\r"),
                                   i % 2 == 0 ? 1001 : 0);
        note.KeyWords = i % 2 == 0 ? QStringLiteral("even") : QStringLiteral("odd");
        notes.append(note);
    }
    notes[1].NoteID = 0; // left out on reading
    FieldWriter writer;
    WriteExportData(writer, notes, {MakeSource(1001, QStringLiteral("{S}"), QStringLiteral("Optics"), {2})},
                    {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton"))},
                    DateTime::FromParts(2020, 1, 2, 3, 4, 5));
    return writer.DiskBytes();
}

// How the data file comes to be read.
enum class Writing
{
    Before, // whole before the reading starts
    During, // piece by piece while it is read (as the import unpacks it)
    DuringShort, // the same, ending short of the size the archive states
};

// The notes as ImportDataFile hands them over, texts read again. A note stored with its
// texts copied as the data file holds them is the note written whole.
NotesList ReadStreamed(const QByteArray& diskBytes, ImportDataFile::Result* result,
                       Writing writing = Writing::Before)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("_ExpNotes.dat"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    if (writing == Writing::Before)
        file.write(diskBytes);
    file.flush();
    ImportDataFile data(path);
    GrowingFile growth;
    std::thread writer;
    if (writing != Writing::Before) {
        data.ReadWhileWritten(&growth, diskBytes.size() + (writing == Writing::DuringShort ? 4096 : 0));
        writer = std::thread([&] {
            // Odd pieces, so that CR LF pairs and entries straddle them.
            for (qsizetype at = 0; at < diskBytes.size(); at += 7919) {
                file.write(diskBytes.mid(at, 7919));
                file.flush();
                growth.Grow(at + std::min<qsizetype>(7919, diskBytes.size() - at));
            }
            growth.End();
        });
    }
    NotesList notes;
    QList<ImportDataFile::Entry> entries;
    *result = data.ReadAll([&](NoteRecord&& note, ImportDataFile::Entry entry) {
        EXPECT_TRUE(note.PlainText.isEmpty() && note.RichText.isEmpty());
        notes.append(std::move(note));
        entries.append(entry);
    });
    if (writer.joinable())
        writer.join();
    for (int i = 0; i < notes.size(); ++i) {
        FieldWriter copied;
        notes[i].Write(copied, data.ReadTextFields(entries.at(i)));
        data.ReadTexts(entries.at(i), notes[i]);
        FieldWriter whole;
        notes[i].Write(whole);
        EXPECT_EQ(copied.LogicalBytes(), whole.LogicalBytes()) << "note " << i;
    }
    return notes;
}

void ExpectSameNotes(const NotesList& streamed, const NotesList& whole, const char* what)
{
    ASSERT_EQ(streamed.size(), whole.size()) << what;
    for (int i = 0; i < whole.size(); ++i) {
        EXPECT_TRUE(streamed[i].SameStoredFields(whole[i])) << what << " note " << i;
        EXPECT_EQ(streamed[i].SourceID, whole[i].SourceID) << what;
        // A cleared source gets a new GUID at each reading.
        if (whole[i].SourceID > 0)
            EXPECT_EQ(streamed[i].AttachedSource.SourceGUID, whole[i].AttachedSource.SourceGUID) << what;
        EXPECT_EQ(streamed[i].AttachedSource.EmbeddedAuthors.size(),
                  whole[i].AttachedSource.EmbeddedAuthors.size())
            << what;
    }
}

} // namespace

TEST(StreamedImport, EntriesReadOneByOneEqualTheWholeFile)
{
    const QByteArray disk = DataFileBytes(9);
    ASSERT_GT(disk.size(), 3 << 20); // several pieces
    const QByteArray cuts[] = {
        disk,
        disk.left(disk.size() - 7), // the last entry cut: dropped
        disk.left(disk.size() / 2), // cut in the middle of a long text
        disk.left(disk.size() / 2) + '\x1a' + disk.mid(disk.size() / 2), // Ctrl-Z ends the stream
        disk.left(1 << 20) + "\r", // a CR at the very end stays a CR
    };
    int index = 0;
    for (const QByteArray& bytes : cuts) {
        ExportData whole;
        ASSERT_EQ(ParseExportData(FieldReader::FromDiskBytes(bytes), &whole), ExportDataResult::Ok);
        for (const Writing writing : {Writing::Before, Writing::During, Writing::DuringShort}) {
            ImportDataFile::Result result = ImportDataFile::Result::Failed;
            const NotesList streamed = ReadStreamed(bytes, &result, writing);
            EXPECT_EQ(result, ImportDataFile::Result::Ok);
            const std::string what
                = "cut " + std::to_string(index) + " written " + std::to_string(int(writing));
            ExpectSameNotes(streamed, whole.notes, what.c_str());
        }
        ++index;
    }
    // The whole file holds eight notes (the one without an id is left out).
    ImportDataFile::Result result = ImportDataFile::Result::Failed;
    EXPECT_EQ(ReadStreamed(disk, &result).size(), 8);
}

TEST(StreamedImport, NewerVersionAndEmptyFiles)
{
    FieldWriter newer;
    newer.WriteReal(1.35);
    newer.WriteTime(DateTime::FromParts(2020, 1, 2, 3, 4, 5));
    newer.WriteInt(0);
    ImportDataFile::Result result = ImportDataFile::Result::Ok;
    EXPECT_TRUE(ReadStreamed(newer.DiskBytes(), &result).isEmpty());
    EXPECT_EQ(result, ImportDataFile::Result::NewerVersion);
    EXPECT_TRUE(ReadStreamed(QByteArray(), &result).isEmpty());
    EXPECT_EQ(result, ImportDataFile::Result::Ok);
}

TEST(StreamedImport, ChooserSeesBothNotesWholeAndStoredNotesKeepTheirTexts)
{
    DataRoot root;
    const NoteRecord stored = MakeNote(1001, QStringLiteral("{A}"), QStringLiteral("database\ntext"));
    root.Load({stored, MakeNote(1002, QStringLiteral("{B}"), QStringLiteral("untouched"))}, {}, {});
    DataRoot other;
    NoteRecord incoming = stored;
    incoming.PlainText = QStringLiteral("archive\ntext");
    incoming.KeyWords = QStringLiteral("kept, words");
    incoming.LastEdited = DateTime::FromParts(2020, 1, 1, 0, 0, 0);
    other.Load({incoming, MakeNote(7, QStringLiteral("{C}"), QStringLiteral("new\r\nnote"))}, {}, {});
    const QString archive = other.dir.filePath(QStringLiteral("a.qvx"));
    ASSERT_EQ(ExchangeCommands::ExportNotesOf(*other.database, *other.sourceStore, NoteIdList {1001, 7},
                                              archive, nullptr, SilentProgress()),
              2);

    class LookingChooser : public ImportChooser
    {
    public:
        bool Choose(ImportSession& session, ImportChoice* choice) override
        {
            incomingText = session.FullNote(0).PlainText;
            const std::optional<NoteRecord> existing = session.FullExistingNote(0);
            existingText = existing ? existing->PlainText : QString();
            existingKeyWords = existing ? existing->KeyWords : QString();
            noExisting = !session.FullExistingNote(1).has_value();
            return SelectionRuleChooser(SelectionRuleChooser::Rule::All).Choose(session, choice);
        }
        QString incomingText, existingText, existingKeyWords;
        bool noExisting = false;
    } chooser;
    ImportContext context;
    context.database = root.database.get();
    context.sources = root.sourceStore.get();
    context.chooser = &chooser;
    ImportReport report;
    ASSERT_EQ(ImportNotes(archive, context, &report), 2);
    EXPECT_EQ(chooser.incomingText, QStringLiteral("archive\ntext"));
    EXPECT_EQ(chooser.existingText, QStringLiteral("database\ntext"));
    EXPECT_EQ(chooser.existingKeyWords, stored.KeyWords);
    EXPECT_TRUE(chooser.noExisting);
    // Every note of the rewritten file whole: the replaced one, the new one, the one left.
    const NotesList notes = ReadNoteFile(root.Path(NoteFileName(stored)));
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes[0].PlainText, QStringLiteral("untouched"));
    EXPECT_EQ(notes[1].PlainText, QStringLiteral("archive\ntext"));
    EXPECT_EQ(notes[1].KeyWords, QStringLiteral("kept, words"));
    EXPECT_EQ(notes[1].RichText, incoming.RichText);
    EXPECT_EQ(notes[2].PlainText, QStringLiteral("new\r\nnote"));
}
