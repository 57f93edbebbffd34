#include "app/CNotesApp.h"

#include "format/LastViewListFile.h"
#include "format/NoteFile.h"
#include "lists/CurrentNotesList.h"
#include "store/MemorySettingsBackend.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kOptions = QStringLiteral("Options");

class CNotesAppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = DataFolder(m_dir.path(), m_dir.filePath(QStringLiteral("bin")));
        ASSERT_TRUE(m_folder.CreateFolders());
    }

    NoteRecord Note(qint32 id, int day) const
    {
        NoteRecord note;
        note.NoteID = id;
        note.DateAdded = DateTime::FromParts(2008, 8, day, 21, 23, 56);
        note.LastEdited = note.DateAdded;
        note.PlainText = QStringLiteral("note %1").arg(id);
        return note;
    }

    // Writes the notes into the day file of the first.
    void WriteDayFile(const NotesList& notes) const
    {
        ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), m_folder.FullPath(NoteFileName(notes.first())), notes));
    }

    QString LastViewListPath() const
    {
        return m_folder.FullPath(QStringLiteral("Data Files\\LastViewList.dat"));
    }

    AppEnvironment Environment(SettingsBackend* backend) const
    {
        AppEnvironment environment;
        environment.dataRoot = m_folder.DataRoot();
        environment.programFolder = m_folder.ProgramFolder();
        environment.settingsBackend = backend;
        return environment;
    }

    QTemporaryDir m_dir;
    DataFolder m_folder;
};

// Writes fail-safe: records, for every value written, whether the saved list existed.
class ListWatchingBackend : public MemorySettingsBackend
{
public:
    explicit ListWatchingBackend(QString listPath)
        : m_listPath(std::move(listPath))
    {
    }
    void SetValue(const QString& group, const QString& name, const QVariant& value) override
    {
        MemorySettingsBackend::SetValue(group, name, value);
        listExistedAt.append(QFileInfo::exists(m_listPath));
    }
    QList<bool> listExistedAt;

private:
    QString m_listPath;
};

} // namespace

TEST_F(CNotesAppTest, StartUpRunsItsStepsInOrderAndCallsTheWindowHooks)
{
    MemorySettingsBackend backend;
    QStringList seen;
    bool agentFirstStart = false;
    StartupHooks hooks;
    hooks.observe = [&](StartupStep step) { seen.append(QString::number(static_cast<int>(step))); };
    hooks.createWindows = [&] { seen.append(QStringLiteral("windows")); };
    hooks.createProgressWindows = [&] { seen.append(QStringLiteral("progress")); };
    hooks.startAgent = [&](bool firstStart) {
        agentFirstStart = firstStart;
        seen.append(QStringLiteral("agent"));
    };
    hooks.setUpSpellEngine = [&] { seen.append(QStringLiteral("spell")); };
    hooks.showLastList = [&] { seen.append(QStringLiteral("show")); };
    hooks.pendingWork = [&] { seen.append(QStringLiteral("pending")); };

    CNotesApp app(Environment(&backend), hooks);
    EXPECT_FALSE(app.IsStartingUp());
    app.InitInstance();
    EXPECT_FALSE(app.IsStartingUp());

    auto step = [](StartupStep s) { return QString::number(static_cast<int>(s)); };
    const QStringList expected {
        step(StartupStep::LoadSettings),     step(StartupStep::CreateWindows),
        QStringLiteral("windows"),           step(StartupStep::ComputeFolders),
        step(StartupStep::ProgressWindows),  QStringLiteral("progress"),
        step(StartupStep::StartAgent),       QStringLiteral("agent"),
        step(StartupStep::SetUpSpellEngine), QStringLiteral("spell"),
        step(StartupStep::StoreVersion),     step(StartupStep::CleanUpNoteFiles),
        step(StartupStep::LoadNoteDatabase), step(StartupStep::RestoreLastList),
        step(StartupStep::ShowLastList),     QStringLiteral("show"),
        step(StartupStep::PendingWork),      QStringLiteral("pending"),
        step(StartupStep::CheckForUpdates),  step(StartupStep::Done),
    };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(agentFirstStart); // no version had run before
    EXPECT_EQ(app.GetSettings().ProgVersion, QStringLiteral("1.34"));
}

// Settings come before the load (the stored MaxNoteID decides the new one), empty note
// files are gone before the load, and the saved list comes back in its saved order even
// though "Add: To Bottom" would order it by date added.
TEST_F(CNotesAppTest, StartUpLoadsDatabaseAndRestoresTheSavedListUnsorted)
{
    WriteDayFile({Note(1001, 10), Note(1002, 10)});
    WriteDayFile({Note(1003, 12)});
    const QString emptyFile = m_folder.FullPath(QStringLiteral("Data Files\\Notes\\DAY01012001.dat"));
    ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), emptyFile, {}));
    ASSERT_TRUE(
        LastViewListFile::Write(FileSystem::Real(), LastViewListPath(), NoteIdList {1003, 1001, 999}));

    MemorySettingsBackend backend;
    backend.SetValue(kOptions, QStringLiteral("MaxNoteID"), 5000);
    backend.SetValue(kOptions, QStringLiteral("NoteSortID"), 805);
    backend.SetValue(kOptions, QStringLiteral("ProgVersion"), QStringLiteral("1.33"));
    bool agentFirstStart = true;
    StartupHooks hooks;
    hooks.startAgent = [&](bool firstStart) { agentFirstStart = firstStart; };

    CNotesApp app(Environment(&backend), hooks);
    app.InitInstance();

    EXPECT_FALSE(agentFirstStart);
    EXPECT_FALSE(QFileInfo::exists(emptyFile));
    EXPECT_EQ(app.Database().Total(), 3);
    EXPECT_EQ(app.GetSettings().MaxNoteID, 5001);
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("MaxNoteID")).toInt(), 5001);
    EXPECT_EQ(app.CurrentList().NoteIds(), (NoteIdList {1003, 1001}));
    EXPECT_EQ(app.GetSettings().NoteSortID, 805);
    for (const ListedNote& note : app.CurrentList().Entries())
        EXPECT_FALSE(note.JustAdded);
    // The load made its counter durable without touching the saved list.
    EXPECT_EQ(LastViewListFile::Read(LastViewListPath()), (NoteIdList {1003, 1001, 999}));
}

// The exit save writes every setting first and the saved list after them; "RunAgent"
// comes last.
TEST_F(CNotesAppTest, ExitSavesSettingsThenTheCurrentList)
{
    WriteDayFile({Note(1001, 10), Note(1002, 10)});
    ASSERT_TRUE(LastViewListFile::Write(FileSystem::Real(), LastViewListPath(), NoteIdList {1002}));
    ListWatchingBackend backend(LastViewListPath());
    CNotesApp app(Environment(&backend));
    app.InitInstance();
    app.CurrentList().SetCurrentList(NoteIdList {1002, 1001}, -1);
    app.GetSettings().ZoomLvl = 1.5;

    ASSERT_TRUE(QFile::remove(LastViewListPath()));
    backend.ClearWrites();
    backend.listExistedAt.clear();
    EXPECT_TRUE(app.ExitInstance());

    const QStringList writes = backend.Writes();
    ASSERT_FALSE(writes.isEmpty());
    EXPECT_EQ(writes.last(), QStringLiteral("Options/RunAgent"));
    const int runAgent = writes.size() - 1;
    for (int i = 0; i < runAgent; ++i)
        EXPECT_FALSE(backend.listExistedAt.at(i)) << qPrintable(writes.at(i));
    EXPECT_TRUE(backend.listExistedAt.at(runAgent));
    EXPECT_EQ(writes.at(runAgent - 1), QStringLiteral("Options/ProgVersion"));
    EXPECT_EQ(LastViewListFile::Read(LastViewListPath()), (NoteIdList {1002, 1001}));
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("ZoomLvl")).toInt(), 150);
    EXPECT_EQ(backend.Value(kOptions, QStringLiteral("ProgVersion")).toString(), QStringLiteral("1.34"));
}

TEST_F(CNotesAppTest, FullPathResolvesDataFilesUnderTheDataRoot)
{
    MemorySettingsBackend backend;
    QTemporaryDir fresh;
    AppEnvironment environment = Environment(&backend);
    environment.dataRoot = fresh.filePath(QStringLiteral("Brenlow Software/Quorvel"));
    CNotesApp app(environment);
    EXPECT_EQ(app.FullPath(QStringLiteral("Data Files\\Images\\0000001.jpg")),
              environment.dataRoot + QStringLiteral("/Data Files/Images/0000001.jpg"));
    EXPECT_EQ(app.FullPath(QStringLiteral("QVAgent")), m_folder.ProgramFolder() + QStringLiteral("/QVAgent"));
    // The data root's folders exist once a path was resolved.
    EXPECT_TRUE(QFileInfo(environment.dataRoot + QStringLiteral("/Data Files/Notes")).isDir());
}
