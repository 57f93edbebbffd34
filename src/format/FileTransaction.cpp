#include "format/FileTransaction.h"

#include "format/FileSystem.h"
#include "format/ReusedFileBuffer.h"

#include <QFileInfo>

FileTransaction::FileTransaction(FileSystem& files)
    : m_files(files)
{
}

FileTransaction::~FileTransaction()
{
    // Nobody is left to tell when the undo fails: a caller that cares rolls back itself.
    if (m_open)
        static_cast<void>(Rollback());
}

QString FileTransaction::BackupName(const QString& path)
{
    return path + QStringLiteral(".undo");
}

FileStatus FileTransaction::Remember(const QString& path)
{
    for (const Former& former : std::as_const(m_formers)) {
        if (former.path == path)
            return FileStatus::Ok();
    }
    Former former;
    former.path = path;
    former.existed = QFileInfo::exists(path);
    if (former.existed) {
        const QString backup = BackupName(path);
        static_cast<void>(m_files.Remove(backup)); // a leftover of an interrupted run; Link says
        if (m_files.Link(path, backup))
            former.backup = backup;
        else if (!ReadWholeFile(path, former.bytes))
            return FileStatus::Failed(FileStatus::Action::Write, path,
                                      QStringLiteral("The file could not be read before it was rewritten"));
    }
    m_formers.append(std::move(former));
    return FileStatus::Ok();
}

FileStatus FileTransaction::Write(const QString& path, const QByteArray& diskBytes)
{
    m_open = true;
    const qsizetype remembered = m_formers.size();
    if (const FileStatus kept = Remember(path); !kept)
        return kept;
    const FileStatus written = m_files.WriteWholeFile(path, diskBytes);
    // A failed whole-file write left the file as it was: a first write of it has
    // nothing to undo.
    if (!written && m_formers.size() > remembered) {
        // A second name left behind is a name no reader looks at.
        if (!m_formers.last().backup.isEmpty())
            static_cast<void>(m_files.Remove(m_formers.last().backup));
        m_formers.removeLast();
    }
    return written;
}

void FileTransaction::Commit()
{
    // The writes stand; a second name left behind is one no reader looks at.
    for (const Former& former : std::as_const(m_formers)) {
        if (!former.backup.isEmpty())
            static_cast<void>(m_files.Remove(former.backup));
    }
    m_formers.clear();
    m_open = false;
}

FileStatus FileTransaction::Rollback()
{
    FileStatus status;
    for (qsizetype i = m_formers.size() - 1; i >= 0; --i) {
        const Former& former = m_formers.at(i);
        if (!former.existed)
            status.Keep(m_files.Remove(former.path));
        else if (!former.backup.isEmpty()) {
            status.Keep(m_files.Rename(former.backup, former.path)); // one step, no copy
            static_cast<void>(m_files.Remove(former.backup)); // both names may be one file already
        } else
            status.Keep(m_files.WriteWholeFile(former.path, former.bytes));
    }
    m_formers.clear();
    m_open = false;
    return status;
}
