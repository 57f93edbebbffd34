// The files and command lines handed to the print program.

#include "ExchangeFixture.h"
#include "exchange/PrintCommands.h"
#include "exchange/PrintHandOffFiles.h"
#include "format/BibFile.h"
#include "format/FieldReader.h"
#include "format/PrintPreviewFile.h"
#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

struct RecordedStart
{
    QStringList commandLines;
    PrintCommands::ProgramStarter Starter()
    {
        return [this](const QString& line, const DataFolder&) {
            commandLines.append(line);
            return true;
        };
    }
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(PrintHandOff, PreviewFileCarriesEachNoteWithItsSource)
{
    DataRoot root;
    const NoteRecord cited = MakeNote(1001, QStringLiteral("{A}"), QStringLiteral("cites\nsomething"), 1001);
    const NoteRecord bare = MakeNote(1002, QStringLiteral("{B}"), QStringLiteral("cites nothing"));
    NoteDatabase& database
        = root.Load({cited, bare}, {MakeSource(1001, QStringLiteral("{S}"), QStringLiteral("Light"), {2})},
                    {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton"))});
    CurrentNotesList current(database, *root.sourceStore, root.changes);
    current.SetCurrentList(NoteIdList {cited.NoteID, bare.NoteID}, -1);
    ScriptedPrompt prompt;
    RecordedStart started;
    ASSERT_TRUE(PrintCommands::SaveOrPrintCurrentNotes(current, *root.sourceStore, root.folder, prompt,
                                                       SilentProgress(), started.Starter()));
    EXPECT_TRUE(prompt.History().isEmpty());
    const QString program = QDir(root.folder.ProgramFolder()).filePath(QStringLiteral("ZozozOvuv"));
    EXPECT_EQ(started.commandLines, QStringList {QLatin1Char('"') + program + QLatin1Char('"')});

    const QByteArray disk = ReadAll(root.Path(QStringLiteral("Data Files\\PrintPreview.nbf")));
    // A Text version, not a Real, then the count.
    EXPECT_TRUE(disk.startsWith("00000000000000041.340000000000000002"));
    EXPECT_TRUE(disk.contains("cites\r\nsomething")); // line ends as text files write them
    PrintPreviewData data;
    ASSERT_TRUE(ParsePrintPreview(FieldReader::FromDiskBytes(disk), &data));
    EXPECT_EQ(data.version, QStringLiteral("1.34"));
    ASSERT_EQ(data.notes.size(), 2);
    EXPECT_EQ(data.notes[0].PlainText, QStringLiteral("cites\nsomething"));
    EXPECT_EQ(data.notes[0].AttachedSource.SourceGUID, QStringLiteral("{S}"));
    EXPECT_TRUE(data.notes[0].AttachedSource.CitationText.contains(QStringLiteral("Light")));
    EXPECT_TRUE(data.notes[0].AttachedSource.CitationText.contains(QStringLiteral("Newton")));
    EXPECT_EQ(data.notes[1].AttachedSource.SourceId, -1);
    EXPECT_TRUE(data.notes[1].AttachedSource.SourceGUID.isEmpty());

    // An empty list is refused and starts nothing.
    current.ClearCurrentNotes();
    EXPECT_FALSE(PrintCommands::SaveOrPrintCurrentNotes(current, *root.sourceStore, root.folder, prompt,
                                                        SilentProgress(), started.Starter()));
    ASSERT_EQ(prompt.History().size(), 1);
    EXPECT_EQ(prompt.History()[0].text,
              QStringLiteral("Unable to save, there are no notes in the current list."));
    EXPECT_EQ(prompt.History()[0].caption, QStringLiteral("Invalid Notes"));
    EXPECT_EQ(started.commandLines.size(), 1);
}

TEST(PrintHandOff, BibliographyFileAndCommandLine)
{
    DataRoot root;
    root.Load({}, {}, {MakeAuthor(2, QStringLiteral("Isaac"), QStringLiteral("Newton"))});
    RecordedStart started;
    EXPECT_FALSE(PrintCommands::CreateBibliography(root.folder, *root.sourceStore, {}, SilentProgress(),
                                                   started.Starter()));
    EXPECT_FALSE(QFileInfo::exists(root.Path(QStringLiteral("Data Files\\Bib.dat"))));
    EXPECT_TRUE(started.commandLines.isEmpty());

    SourceRecord optics = MakeSource(1001, QStringLiteral("{S1}"), QStringLiteral("Opticks"), {2});
    SourceRecord principia = MakeSource(1002, QStringLiteral("{S2}"), QStringLiteral("Principia"), {2});
    ASSERT_TRUE(PrintCommands::CreateBibliography(root.folder, *root.sourceStore, {optics, principia},
                                                  SilentProgress(), started.Starter()));
    const QString bib = root.Path(QStringLiteral("Data Files\\Bib.dat"));
    const QString program = QDir(root.folder.ProgramFolder()).filePath(QStringLiteral("ZozozOvuv"));
    EXPECT_EQ(started.commandLines, QStringList {QStringLiteral("\"%1\" \"%2\"").arg(program, bib)});
    BibData data;
    ASSERT_TRUE(ReadBibFile(bib, &data));
    ASSERT_EQ(data.sources.size(), 2);
    EXPECT_EQ(data.sources[0].SourceGUID, QStringLiteral("{S1}"));
    EXPECT_EQ(data.sources[1].Fields[0], QStringLiteral("Principia"));
    EXPECT_TRUE(data.sources[1].CitationText.contains(QStringLiteral("Principia")));
    // Titles of books are italic: at least one mark, inside the text.
    ASSERT_FALSE(data.sources[1].MarkKinds.isEmpty());
    EXPECT_LT(data.sources[1].MarkEnds[0], data.sources[1].CitationText.size());
}

TEST(PrintHandOff, CommandLinesQuoteFullPaths)
{
    EXPECT_EQ(PrintCommands::NotesCommandLine(QStringLiteral("/opt/q q/ZozozOvuv")),
              QStringLiteral("\"/opt/q q/ZozozOvuv\""));
    EXPECT_EQ(PrintCommands::BibliographyCommandLine(QStringLiteral("/p/ZozozOvuv"),
                                                     QStringLiteral("/d/Data Files/Bib.dat")),
              QStringLiteral("\"/p/ZozozOvuv\" \"/d/Data Files/Bib.dat\""));
    const DataFolder folder(QStringLiteral("/data"), QStringLiteral("/prog"));
    EXPECT_EQ(PrintCommands::PrintProgramPath(folder), QStringLiteral("/prog/ZozozOvuv"));
}
