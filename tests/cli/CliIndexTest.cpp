// The kept search index through the command line: `index` builds it and later reads again
// only the note files that changed; `search` answers from it with what `search --scan`
// finds by reading every note file, after every way of writing notes, after note files
// are replaced from outside, and when the index is damaged, deleted or cannot be written.

#include "CliFixture.h"

#include <QJsonArray>
#include <QThread>

namespace {

class CliIndexTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        ASSERT_TRUE(m_cache.isValid());
        m_previousCache = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
        NoteRecord moved = Note(1004, 0, 15, "Salt and pepper, then the CAT sat.");
        Write(
            {Note(1001, 0, 14, "The cat sat on the category mat."), Note(1002, 0, 14, "Apple and pear pie")});
        Write({moved, Note(1005, 0, 15, "caf\xc3\xa9 au lait: na\xc3\xafve")});
        Write({Note(1003, 7, 14, "Orange juice with pepper")});
    }

    void TearDown() override { qputenv("XDG_CACHE_HOME", m_previousCache); }

    QString IndexPath()
    {
        return Run({QStringLiteral("index")}).json.value(QStringLiteral("path")).toString();
    }

    // The count and matches of a search from the index and of the same search by reading.
    void ExpectSameAnswers(const char* when)
    {
        for (const char* query :
             {"cat", "\"cat\"", "a", "pe", "pepper AND salt", "pie OR juice", "CAF\xc3\x89", "t sa",
              "and pepper,", "SHOWALL", "moved", "kw", "renamed"}) {
            const QString text = QString::fromUtf8(query);
            const Result indexed = Run({QStringLiteral("search"), QStringLiteral("--ids-only"), text});
            const Result read = Run(
                {QStringLiteral("search"), QStringLiteral("--scan"), QStringLiteral("--ids-only"), text});
            ASSERT_EQ(indexed.exitCode, 0) << when << ": " << query;
            EXPECT_EQ(indexed.json.value(QStringLiteral("count")), read.json.value(QStringLiteral("count")))
                << when << ": " << query;
            EXPECT_EQ(indexed.json.value(QStringLiteral("matches")),
                      read.json.value(QStringLiteral("matches")))
                << when << ": " << query;
        }
    }

    int Refreshed() { return Run({QStringLiteral("index")}).json.value(QStringLiteral("refreshed")).toInt(); }

    QTemporaryDir m_cache;
    QByteArray m_previousCache;
};

TEST_F(CliIndexTest, BuiltOnceThenOnlyChangedFilesAreReadAgain)
{
    const Result first = Run({QStringLiteral("index")});
    ASSERT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.json.value(QStringLiteral("notes")).toInt(), 5);
    EXPECT_EQ(first.json.value(QStringLiteral("files")).toInt(), 2 + 1);
    EXPECT_EQ(first.json.value(QStringLiteral("refreshed")).toInt(), 3);
    // In the cache folder, never among the data files.
    const QString path = first.json.value(QStringLiteral("path")).toString();
    EXPECT_TRUE(path.startsWith(m_cache.path())) << qPrintable(path);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(Refreshed(), 0);

    const Result rebuilt = Run({QStringLiteral("index"), QStringLiteral("--rebuild")});
    EXPECT_EQ(rebuilt.json.value(QStringLiteral("refreshed")).toInt(), 3);
    EXPECT_EQ(rebuilt.json.value(QStringLiteral("path")).toString(), path);
    ExpectSameAnswers("built");
}

TEST_F(CliIndexTest, EveryWayOfWritingNotesIsFound)
{
    ASSERT_EQ(Run({QStringLiteral("index")}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("add"), QStringLiteral("--text"), QStringLiteral("A new cat, moved in")})
                  .exitCode,
              0);
    ExpectSameAnswers("add");
    ASSERT_EQ(Run({QStringLiteral("edit"), QStringLiteral("1002"), QStringLiteral("--text"),
                   QStringLiteral("Pear and apple crumble")})
                  .exitCode,
              0);
    ExpectSameAnswers("edit");
    ASSERT_EQ(Run({QStringLiteral("source"), QStringLiteral("add"), QStringLiteral("--type"),
                   QStringLiteral("1"), QStringLiteral("--field"), QStringLiteral("0=A Title")})
                  .exitCode,
              0);
    ASSERT_EQ(Run({QStringLiteral("edit"), QStringLiteral("1004"), QStringLiteral("--source"),
                   QStringLiteral("1001")})
                  .exitCode,
              0); // moves the note into its source's file
    ExpectSameAnswers("moved between files");
    ASSERT_EQ(Run({QStringLiteral("keywords"), QStringLiteral("--attach"), QStringLiteral("kw"),
                   QStringLiteral("1001"), QStringLiteral("1003")})
                  .exitCode,
              0);
    ExpectSameAnswers("key words");
    ASSERT_EQ(Run({QStringLiteral("edit"), QStringLiteral("1001"), QStringLiteral("--category"),
                   QStringLiteral("Animals/Cats")})
                  .exitCode,
              0);
    ASSERT_EQ(Run({QStringLiteral("retree"), QStringLiteral("rename:Animals=Beasts")}).exitCode, 0);
    ExpectSameAnswers("re-filed");
    ASSERT_EQ(Run({QStringLiteral("source"), QStringLiteral("edit"), QStringLiteral("1001"),
                   QStringLiteral("--type"), QStringLiteral("2")})
                  .exitCode,
              0); // stamps the notes of the source
    ExpectSameAnswers("source type changed");
    const QString archive = m_dir.filePath(QStringLiteral("out.qvx"));
    ASSERT_EQ(
        Run({QStringLiteral("export"), archive, QStringLiteral("1001"), QStringLiteral("1005")}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("delete"), QStringLiteral("1005")}).exitCode, 0);
    ExpectSameAnswers("deleted");
    ASSERT_EQ(Run({QStringLiteral("import"), archive}).exitCode, 0);
    ExpectSameAnswers("imported");
}

TEST_F(CliIndexTest, NoteFilesReplacedFromOutsideAreReadAgain)
{
    ASSERT_EQ(Run({QStringLiteral("index")}).exitCode, 0);
    const QString day14 = m_folder.FullPath(NoteFileName(Note(1001, 0, 14, "")));
    // Another copy of the folder wrote the same file with a text of the same length.
    QThread::msleep(20);
    NotesList changed = ReadNoteFile(day14);
    changed[0].PlainText = QStringLiteral("The dog sat on the category mat.");
    changed[0].RichText = QStringLiteral("{\\rtf1 The dog sat on the category mat.}");
    const QString elsewhere = m_dir.filePath(QStringLiteral("copy.dat"));
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), elsewhere, changed));
    ASSERT_EQ(QFileInfo(elsewhere).size(), QFileInfo(day14).size());
    {
        // Copied over in place, as a folder-sync tool may: same file, same size.
        QFile source(elsewhere);
        QFile target(day14);
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        ASSERT_TRUE(target.open(QIODevice::ReadWrite));
        target.write(source.readAll());
    }
    ExpectSameAnswers("replaced in place");
    // A new file, and one gone.
    ASSERT_TRUE(
        QFile::copy(elsewhere, m_folder.FullPath(QStringLiteral("Data Files\\Notes\\DAY01011999.dat"))));
    ASSERT_TRUE(QFile::remove(m_folder.FullPath(NoteFileName(Note(1003, 7, 14, "")))));
    ExpectSameAnswers("a file added and one removed");
}

TEST_F(CliIndexTest, ADamagedOrMissingIndexIsBuiltAgain)
{
    const QString path = IndexPath();
    ASSERT_FALSE(path.isEmpty());
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(9000, '\x5a'));
    }
    ExpectSameAnswers("garbage"); // answered by reading
    const Result rebuilt = Run({QStringLiteral("index")});
    EXPECT_EQ(rebuilt.exitCode, 0);
    EXPECT_EQ(rebuilt.json.value(QStringLiteral("refreshed")).toInt(), 3);
    EXPECT_EQ(Refreshed(), 0);

    ASSERT_TRUE(QFile::remove(path));
    ExpectSameAnswers("deleted");
    EXPECT_EQ(Refreshed(), 3);
    ExpectSameAnswers("built again");
}

TEST_F(CliIndexTest, AnIndexThatCannotBeWrittenLeavesSearchReading)
{
    // The cache folder's place is taken by a file: nothing can be made there.
    const QString blocked = m_cache.filePath(QStringLiteral("blocked"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(blocked));
    const Result index = Run({QStringLiteral("index")});
    EXPECT_EQ(index.exitCode, 1);
    EXPECT_TRUE(index.json.value(QStringLiteral("error"))
                    .toString()
                    .startsWith(QStringLiteral("The search index cannot be written")));
    ExpectSameAnswers("unwritable");
}

} // namespace
