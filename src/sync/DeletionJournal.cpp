#include "sync/DeletionJournal.h"

#include "format/FileSystem.h"
#include "sync/SyncState.h"

#include <QDir>
#include <QFile>

DeletionJournal::DeletionJournal(QString stateFolder)
    : m_path(QDir(stateFolder).filePath(QStringLiteral("Deleted.txt")))
{
}

FileStatus DeletionJournal::Record(const QStringList& guids, const DateTime& when) const
{
    if (guids.isEmpty())
        return FileStatus::Ok();
    QByteArray lines;
    for (const QString& guid : guids)
        lines += guid.toUtf8() + '\t' + TimeText(when) + '\n';
    FileSystem& files = FileSystem::Current();
    if (const FileStatus made = files.MakePath(QFileInfo(m_path).path()); !made)
        return made;
    return files.AppendToFile(m_path, lines);
}

QHash<QString, DateTime> DeletionJournal::Read() const
{
    QHash<QString, DateTime> times;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return times;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> words = line.split('\t');
        if (words.size() != 2 || words.first().isEmpty())
            continue;
        const DateTime when = TimeFromText(words.at(1));
        if (when.IsValid())
            times.insert(QString::fromUtf8(words.first()), when);
    }
    return times;
}

FileStatus DeletionJournal::Clear() const
{
    return FileSystem::Current().Remove(m_path);
}
