#include "format/FileBatch.h"

#include "format/FileSystem.h"
#include "format/ReusedFileBuffer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sys/stat.h>

namespace {

const QByteArray kJournalHead = QByteArrayLiteral("Quorvel file batch 1");
const QString kStateStaging = QStringLiteral("staging");
const QString kStateDone = QStringLiteral("done");
const QString kStateUndo = QStringLiteral("undo");

// Whether a name is taken (by anything, a link that points nowhere too).
bool BatchNameExists(const QString& path)
{
    struct stat info
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

QString BatchFolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// Whether the file at path holds exactly bytes (its size is looked at first).
bool HoldsBytes(const QString& path, const QByteArray& bytes)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_size != bytes.size())
        return false;
    QByteArray held;
    return ReadWholeFile(path, held) && held == bytes;
}

// Two names of one file (both exist and share their inode).
bool BatchSameFile(const QString& a, const QString& b)
{
    struct stat first
    {
    };
    struct stat second
    {
    };
    return ::lstat(QFile::encodeName(a).constData(), &first) == 0
        && ::lstat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

} // namespace

FileBatch::FileBatch(FileSystem& files, QString journalPath)
    : m_files(files)
    , m_journalPath(std::move(journalPath))
    , m_journalFolder(BatchFolderOf(m_journalPath))
{
}

FileBatch::~FileBatch()
{
    if (m_phase == Phase::Committed)
        static_cast<void>(Rollback());
    else if (m_phase == Phase::Staging && !m_journal.folders.isEmpty())
        Abandon(); // something was staged, or at least the journal written
}

FileStatus FileBatch::WriteJournal(const QString& state)
{
    m_journal.state = state;
    FileStatus status = m_files.WriteWholeFile(m_journalPath, JournalText(m_journalFolder, m_journal));
    // The journal's name in its folder must last as well as its bytes.
    if (status)
        status = m_files.Sync(m_journalFolder);
    return status;
}

// The staging journal names every folder that holds staged files, before the first
// one is written there, so that a stop while staging leaves nothing that is not swept.
FileStatus FileBatch::NoteFolder(const QString& path)
{
    const QString folder = BatchFolderOf(path);
    if (m_journal.folders.contains(folder))
        return FileStatus::Ok();
    m_journal.folders.append(folder);
    return WriteJournal(kStateStaging);
}

FileStatus FileBatch::Write(const QString& path, const QByteArray& diskBytes)
{
    if (m_phase != Phase::Staging)
        return FileStatus::Failed(FileStatus::Action::Write, path, QStringLiteral("The batch is closed"));
    const bool again = m_staged.contains(path);
    // A file that holds these very bytes already stays as it is: replacing it would only
    // cost a new file and the freeing of the old one.
    if (!again && HoldsBytes(path, diskBytes))
        return FileStatus::Ok();
    FileStatus status = NoteFolder(path);
    const QString staged = StagedName(path);
    if (status)
        status = m_files.Remove(staged);
    if (status)
        status = m_files.AppendToFile(staged, diskBytes);
    if (!status || again) {
        if (!status)
            static_cast<void>(m_files.Remove(staged));
        return status;
    }
    Kind kind = Kind::Create;
    if (BatchNameExists(path)) {
        kind = Kind::Replace;
        if (status = KeepFormer(path); !status) {
            static_cast<void>(m_files.Remove(staged));
            return status;
        }
    }
    m_journal.steps.append({kind, path, QString()});
    m_staged.insert(path);
    return FileStatus::Ok();
}

// The file stays under a second name until the batch is finished, for a put-back.
FileStatus FileBatch::KeepFormer(const QString& path)
{
    const QString former = FormerName(path);
    if (m_files.Link(path, former))
        return FileStatus::Ok();
    // A leftover of a batch stopped long ago holds the name, or no link can be made here.
    FileStatus status = m_files.Remove(former);
    if (status && !m_files.Link(path, former))
        status = m_files.Copy(path, former);
    return status;
}

FileStatus FileBatch::Remove(const QString& path)
{
    if (m_phase != Phase::Staging)
        return FileStatus::Failed(FileStatus::Action::Remove, path, QStringLiteral("The batch is closed"));
    if (!BatchNameExists(path))
        return FileStatus::Ok();
    FileStatus status = NoteFolder(path);
    if (status)
        status = KeepFormer(path);
    if (status)
        m_journal.steps.append({Kind::Remove, path, QString()});
    return status;
}

void FileBatch::Move(const QString& from, const QString& to)
{
    m_journal.steps.append({Kind::Move, to, from});
}

void FileBatch::Abandon()
{
    for (const Step& step : std::as_const(m_journal.steps)) {
        if (step.kind == Kind::Create || step.kind == Kind::Replace)
            static_cast<void>(m_files.Remove(StagedName(step.path)));
        if (step.kind == Kind::Replace || step.kind == Kind::Remove)
            static_cast<void>(m_files.Remove(FormerName(step.path)));
    }
    static_cast<void>(m_files.Remove(m_journalPath));
    m_phase = Phase::Closed;
}

FileStatus FileBatch::Commit()
{
    if (m_phase != Phase::Staging)
        return FileStatus::Failed(FileStatus::Action::Write, m_journalPath,
                                  QStringLiteral("The batch is closed"));
    if (m_journal.steps.isEmpty()) {
        // Nothing to change (every file held its bytes already): nothing to make durable.
        Abandon();
        return FileStatus::Ok();
    }
    // One sync for every staged file, then the journal that makes the batch count as in.
    FileStatus status = m_files.SyncAll(m_journalFolder);
    if (status)
        status = WriteJournal(kStateDone);
    if (!status) {
        Abandon();
        return status;
    }
    m_phase = Phase::Committed;
    QStringList folders;
    for (const Step& step : std::as_const(m_journal.steps)) {
        if (step.kind == Kind::Remove)
            status = m_files.Remove(step.path);
        else if (step.kind == Kind::Move)
            status = BatchNameExists(step.path) ? FileStatus::Failed(
                         FileStatus::Action::Rename, step.from, QStringLiteral("The file exists"), step.path)
                                                : m_files.Rename(step.from, step.path);
        else
            status = m_files.Rename(StagedName(step.path), step.path);
        if (!status) {
            static_cast<void>(Rollback());
            return status;
        }
        if (!folders.contains(BatchFolderOf(step.path)))
            folders.append(BatchFolderOf(step.path));
    }
    // The new names must last before the journal goes.
    for (const QString& folder : std::as_const(folders)) {
        if (status = m_files.Sync(folder); !status) {
            static_cast<void>(Rollback());
            return status;
        }
    }
    return FileStatus::Ok();
}

FileStatus FileBatch::Rollback()
{
    if (m_phase != Phase::Committed)
        return FileStatus::Ok();
    m_phase = Phase::Closed;
    // Marked first: a stop while putting back goes on putting back at the next start.
    const FileStatus marked = WriteJournal(kStateUndo);
    FileStatus status = UndoSteps(m_files, m_journal.steps);
    // A journal still saying "done" must not outlive the put-back files.
    if (status || !marked)
        status.Keep(m_files.Remove(m_journalPath));
    return status;
}

void FileBatch::Finish()
{
    if (m_phase != Phase::Committed)
        return;
    m_phase = Phase::Closed;
    DropKept(m_files, m_journal.steps);
    static_cast<void>(m_files.Remove(m_journalPath));
}

void FileBatch::RedoSteps(FileSystem& files, const QList<Step>& steps)
{
    QSet<QString> folders;
    for (const Step& step : steps) {
        if (step.kind == Kind::Create || step.kind == Kind::Replace) {
            if (BatchNameExists(StagedName(step.path)))
                static_cast<void>(files.Rename(StagedName(step.path), step.path));
        } else if (step.kind == Kind::Remove) {
            // Only the file that was there: a later move may have put another in its name.
            if (BatchSameFile(step.path, FormerName(step.path)))
                static_cast<void>(files.Remove(step.path));
        } else if (step.kind == Kind::Move) {
            if (BatchNameExists(step.from) && !BatchNameExists(step.path))
                static_cast<void>(files.Rename(step.from, step.path));
        }
        folders.insert(BatchFolderOf(step.path));
    }
    for (const QString& folder : std::as_const(folders))
        static_cast<void>(files.Sync(folder));
}

FileStatus FileBatch::UndoSteps(FileSystem& files, const QList<Step>& steps)
{
    FileStatus status;
    // Newest first, as the steps were made.
    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
        const Step& step = steps.at(i);
        const QString staged = StagedName(step.path);
        switch (step.kind) {
        case Kind::Create:
            // Still staged: never in place. Gone: it was put in place and goes again.
            if (BatchNameExists(staged))
                status.Keep(files.Remove(staged));
            else
                status.Keep(files.Remove(step.path));
            break;
        case Kind::Replace:
        case Kind::Remove: {
            // The file is the kept one still (never replaced or removed): nothing to put
            // back but the second name.
            const QString former = FormerName(step.path);
            if (BatchSameFile(step.path, former))
                status.Keep(files.Remove(former));
            else if (BatchNameExists(former))
                status.Keep(files.Rename(former, step.path));
            if (step.kind == Kind::Replace)
                status.Keep(files.Remove(staged));
            break;
        }
        case Kind::Move:
            if (!BatchNameExists(step.from) && BatchNameExists(step.path))
                status.Keep(QFileInfo(BatchFolderOf(step.from)).isDir() ? files.Rename(step.path, step.from)
                                                                        : files.Remove(step.path));
            break;
        }
    }
    return status;
}

void FileBatch::DropKept(FileSystem& files, const QList<Step>& steps)
{
    for (const Step& step : steps) {
        if (step.kind == Kind::Replace || step.kind == Kind::Remove)
            static_cast<void>(files.Remove(FormerName(step.path)));
    }
}

void FileBatch::SweepStaged(FileSystem& files, const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QDir dir(folder);
        const QStringList names = dir.entryList({QStringLiteral("*.batch~"), QStringLiteral("*.batch-old")},
                                                QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : names)
            static_cast<void>(files.Remove(dir.filePath(name)));
    }
}

FileBatch::Recovery FileBatch::Recover(FileSystem& files, const QString& journalPath)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return Recovery::Nothing;
    const QByteArray text = file.readAll();
    file.close();
    const QString folder = BatchFolderOf(journalPath);
    Journal journal;
    const bool readable = ParseJournal(folder, text, &journal);
    Recovery recovery = Recovery::PutBack;
    if (readable && journal.state == kStateDone) {
        RedoSteps(files, journal.steps);
        DropKept(files, journal.steps);
        recovery = Recovery::Finished;
    } else if (readable && journal.state == kStateUndo) {
        if (!UndoSteps(files, journal.steps))
            return recovery; // the journal stays: the next start tries again
    } else {
        // Stopped while staging (or a journal no one can read): nothing is in place yet.
        SweepStaged(files, journal.folders);
    }
    static_cast<void>(files.Remove(journalPath));
    return recovery;
}

// "Quorvel file batch 1", the state, then one line per folder and step:
//   folder <name>    create <name>    replace <name>    move <from>\t<to>    remove <name>
QByteArray FileBatch::JournalText(const QString& journalFolder, const Journal& journal)
{
    const QDir base(journalFolder);
    QByteArray text = kJournalHead + '\n' + journal.state.toUtf8() + '\n';
    const auto line = [&](const char* kind, const QString& path, const QString& second = QString()) {
        text += kind;
        text += ' ';
        text += base.relativeFilePath(path).toUtf8();
        if (!second.isEmpty())
            text += '\t' + base.relativeFilePath(second).toUtf8();
        text += '\n';
    };
    for (const QString& folder : journal.folders)
        line("folder", folder);
    for (const Step& step : journal.steps) {
        switch (step.kind) {
        case Kind::Create:
            line("create", step.path);
            break;
        case Kind::Replace:
            line("replace", step.path);
            break;
        case Kind::Move:
            line("move", step.from, step.path);
            break;
        case Kind::Remove:
            line("remove", step.path);
            break;
        }
    }
    return text;
}

bool FileBatch::ParseJournal(const QString& journalFolder, const QByteArray& text, Journal* journal)
{
    const QDir base(journalFolder);
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2 || lines.at(0) != kJournalHead)
        return false;
    journal->state = QString::fromUtf8(lines.at(1));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype blank = line.indexOf(' ');
        if (blank <= 0)
            continue;
        const QByteArray kind = line.left(blank);
        const QList<QByteArray> names = line.mid(blank + 1).split('\t');
        const QString first = QDir::cleanPath(base.filePath(QString::fromUtf8(names.at(0))));
        const QString second
            = names.size() > 1 ? QDir::cleanPath(base.filePath(QString::fromUtf8(names.at(1)))) : QString();
        if (kind == "folder")
            journal->folders.append(first);
        else if (kind == "create")
            journal->steps.append({Kind::Create, first, QString()});
        else if (kind == "replace")
            journal->steps.append({Kind::Replace, first, QString()});
        else if (kind == "move" && !second.isEmpty())
            journal->steps.append({Kind::Move, second, first});
        else if (kind == "remove")
            journal->steps.append({Kind::Remove, first, QString()});
        else
            return false;
    }
    return journal->state == kStateStaging || journal->state == kStateDone || journal->state == kStateUndo;
}
