// Damaged and hostile archives: each import fails with -1 (or -2112 for a newer
// version), writes nothing outside the import folder, and leaves every file of the data
// root exactly as it was.

#include "ExchangeFixture.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportNotes.h"
#include "exchange/UnzipToFolder.h"
#include "format/FieldWriter.h"
#include "sources/SourceExchange.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace exchange_test;

namespace {

// A data file with the given head; each note is followed by a cleared source.
QByteArray DataFile(double version, qint32 count,
                    const NotesList& notes = {MakeNote(1, QStringLiteral("{G}"), QStringLiteral("x"))})
{
    FieldWriter writer;
    writer.WriteReal(version);
    writer.WriteTime(DateTime::FromParts(2020, 1, 2, 3, 4, 5));
    writer.WriteInt(count);
    for (const NoteRecord& note : notes) {
        note.Write(writer);
        SourceRecord cleared;
        WriteSourceExchange(writer, cleared, {});
    }
    return writer.DiskBytes();
}

class HostileArchive : public ::testing::Test
{
protected:
    void SetUp() override
    {
        NoteRecord note = MakeNote(1001, QStringLiteral("{KEEP}"), QStringLiteral("keep me"));
        note.Attachments = {MakeAttachment(QStringLiteral("0000003.jpg"), QStringLiteral("Kept"))};
        root.WriteImage(QStringLiteral("0000003.jpg"), QByteArrayLiteral("kept bytes"));
        root.Load({note}, {}, {});
        before = Snapshot(root.dir.path());
        archive = outside.filePath(QStringLiteral("hostile.qvx"));
    }

    int RunImport()
    {
        SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
        ImportContext context;
        context.database = root.database.get();
        context.sources = root.sourceStore.get();
        context.chooser = &chooser;
        return ImportNotes(archive, context);
    }

    // The import failed and touched nothing: not the data root, not beside the archive.
    void ExpectUntouched(const char* what)
    {
        EXPECT_EQ(Snapshot(root.dir.path()), before) << what;
        EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList {QStringLiteral("hostile.qvx")})
            << what;
    }

    DataRoot root;
    QTemporaryDir outside;
    QMap<QString, QByteArray> before;
    QString archive;
};

} // namespace

TEST_F(HostileArchive, UnsafeEntryNamesAreRefusedBeforeAnythingIsWritten)
{
    const QByteArray escape = "../../" + QFile::encodeName(QFileInfo(outside.path()).fileName()) + "/escaped";
    const QList<QByteArray> names
        = {escape,        "../escaped",        QFile::encodeName(outside.filePath(QStringLiteral("abs"))),
           "..\\escaped", "sub/../../escaped", "C:escaped"};
    for (const QByteArray& name : names) {
        {
            ArchiveBuilder builder(archive);
            builder.Add("_ExpNotes.dat", DataFile(1.34, 1));
            builder.Add(name, "evil");
            ASSERT_TRUE(builder.Close());
        }
        EXPECT_EQ(RunImport(), -1) << name.constData();
        ExpectUntouched(name.constData());
    }
}

TEST_F(HostileArchive, SymbolicLinkEntriesAreRefused)
{
    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.34, 1));
        builder.AddSymlink("0000001.jpg", QFile::encodeName(outside.path()));
        ASSERT_TRUE(builder.Close());
    }
    EXPECT_EQ(RunImport(), -1);
    ExpectUntouched("symlink");
}

TEST_F(HostileArchive, ZipBombEndsQuicklyInFailure)
{
    {
        // 64 MiB of zeros packs into about 64 KiB.
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.34, 1));
        builder.Add("0000001.jpg", QByteArray(64 << 20, '\0'));
        ASSERT_TRUE(builder.Close());
    }
    EXPECT_LT(QFileInfo(archive).size(), 1 << 20);
    EXPECT_EQ(RunImport(), -1);
    ExpectUntouched("bomb");

    // Below the ratio check's size, the total size limit still applies.
    UnzipLimits limits;
    limits.maxTotalBytes = 1 << 20;
    QTemporaryDir target;
    {
        ArchiveBuilder builder(archive);
        builder.Add("a", QByteArray(800 << 10, 'a'));
        builder.Add("b", QByteArray(800 << 10, 'b'));
        ASSERT_TRUE(builder.Close());
    }
    QString error;
    EXPECT_FALSE(UnzipToFolder(archive, target.path(), &error, limits));
    EXPECT_TRUE(QDir(target.path()).isEmpty());
    EXPECT_LE(error.size(), 100);
}

TEST_F(HostileArchive, ForgedCountsKeepTheRecordsAndTruncatedArchivesFail)
{
    // A count of two thousand million over one real record: a data file whose tail is
    // missing, which imports the record before the damage, quickly and in little memory.
    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.34, 2000000000));
        ASSERT_TRUE(builder.Close());
    }
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(RunImport(), 1);
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(root.database->Total(), 2);
    root.Load({}, {}, {}); // back to the one note of the set-up, for the cases below
    QDir(root.folder.NotesFolder()).removeRecursively();
    static_cast<void>(root.folder.CreateFolders());
    NoteRecord kept = MakeNote(1001, QStringLiteral("{KEEP}"), QStringLiteral("keep me"));
    kept.Attachments = {MakeAttachment(QStringLiteral("0000003.jpg"), QStringLiteral("Kept"))};
    root.Load({kept}, {}, {});
    before = Snapshot(root.dir.path());

    // The archive cut short in the middle.
    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.34, 1));
        builder.Add("0000001.jpg", QByteArray(100000, 'x'));
        ASSERT_TRUE(builder.Close());
    }
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
    file.close();
    EXPECT_EQ(RunImport(), -1);
    ExpectUntouched("truncated");

    // Not an archive at all, and no archive.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a zip file");
    file.close();
    EXPECT_EQ(RunImport(), -1);
    ExpectUntouched("garbage");
}

TEST_F(HostileArchive, MissingDataFileAndNewerVersion)
{
    {
        ArchiveBuilder builder(archive);
        builder.Add("0000001.jpg", "x");
        ASSERT_TRUE(builder.Close());
    }
    EXPECT_EQ(RunImport(), -1);
    ExpectUntouched("no data file");

    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.35, 1));
        ASSERT_TRUE(builder.Close());
    }
    EXPECT_EQ(RunImport(), -2112);
    ExpectUntouched("newer");
}

TEST_F(HostileArchive, AttachmentNamesThatAreNotPlainFileNamesAreNotCopied)
{
    // A valid archive whose note names attachments outside and inside folders; the note
    // is imported, but no file other than its own plain-named one arrives.
    NoteRecord note = MakeNote(9, QStringLiteral("{NEW}"), QStringLiteral("new"));
    note.Attachments = {MakeAttachment(QStringLiteral("../../Sources.dat"), QStringLiteral("a")),
                        MakeAttachment(QStringLiteral("sub"), QStringLiteral("b")),
                        MakeAttachment(QStringLiteral("0000001.jpg"), QStringLiteral("c"))};
    {
        ArchiveBuilder builder(archive);
        builder.Add("_ExpNotes.dat", DataFile(1.34, 1, {note}));
        builder.Add("sub/inner", "folder entry");
        builder.Add("0000001.jpg", "picture");
        ASSERT_TRUE(builder.Close());
    }
    EXPECT_EQ(RunImport(), 1);
    const QStringList images
        = QDir(root.folder.ImagesFolder()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(images, (QStringList {QStringLiteral("0000003.jpg"), QStringLiteral("0000006.jpg")}));
    EXPECT_EQ(root.ReadImage(QStringLiteral("0000006.jpg")), QByteArrayLiteral("picture"));
    EXPECT_EQ(root.ReadImage(QStringLiteral("0000003.jpg")), QByteArrayLiteral("kept bytes"));
}

TEST(UnzipToFolder, EntryNameRules)
{
    const struct
    {
        const char* name;
        bool safe;
    } cases[] = {
        {"0000042.jpg", true}, {"_ExpNotes.dat", true}, {"sub/file.txt", true}, {"sub/", true},
        {"..", false},         {"../x", false},         {"a/../b", false},      {"/etc/passwd", false},
        {"a\\b", false},       {"C:x", false},          {"a//b", false},        {"./x", false},
        {"", false},           {"a/./b", false},        {"...", true},          {"..x", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSafeEntryName(QString::fromLatin1(c.name)), c.safe) << c.name;
}

TEST(TempFolder, ALinkInPlaceOfTheImportFolderIsRemovedNotFollowed)
{
    DataRoot root;
    root.Load({}, {}, {});
    QTemporaryDir elsewhere;
    const QString precious = elsewhere.filePath(QStringLiteral("precious.txt"));
    QFile file(precious);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    const QString temp = root.Path(QStringLiteral("Data Files\\ImportTemp"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), temp));
    SelectionRuleChooser chooser(SelectionRuleChooser::Rule::All);
    ImportContext context;
    context.database = root.database.get();
    context.sources = root.sourceStore.get();
    context.chooser = &chooser;
    EXPECT_EQ(ImportNotes(elsewhere.filePath(QStringLiteral("missing.qvx")), context), -1);
    EXPECT_TRUE(QFileInfo::exists(precious));
    EXPECT_FALSE(QFileInfo(temp).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(temp));
}

TEST(UnzipToFolder, AnArchiveNamingAnEntryTwiceIsRefused)
{
    // The import reads its data file while the rest is extracted: no later entry may
    // rewrite it. libzip refuses to write two entries of one name, so the second name
    // is patched in afterwards, in the local header and in the central directory alike.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("twice.zip"));
    {
        ArchiveBuilder builder(path);
        builder.Add("data.dat", "first");
        builder.Add("data.daX", "second");
        ASSERT_TRUE(builder.Close());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.count("data.daX"), 2);
    bytes.replace("data.daX", "data.dat");
    file.seek(0);
    file.write(bytes);
    file.close();

    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    int calls = 0;
    const UnzipFirst first {
        QStringLiteral("data.dat"), [&calls](qint64) { ++calls; }, {}, [&calls] { ++calls; }};
    QString error;
    EXPECT_FALSE(UnzipToFolder(path, out, &error, UnzipLimits(), first));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(QDir(out).isEmpty());
}
