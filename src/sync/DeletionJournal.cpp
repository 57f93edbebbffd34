#include "sync/DeletionJournal.h"

#include "format/FileSystem.h"
#include "sync/SyncState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

DeletionJournal::DeletionJournal(FileSystem& files, QString stateFolder)
    : m_files(files)
    , m_path(QDir(stateFolder).filePath(QStringLiteral("Deleted.txt")))
{
}

FileStatus DeletionJournal::Record(const QList<QString>& guids, const DateTime& when) const
{
    QByteArray lines;
    for (const QString& guid : guids) {
        if (!guid.isEmpty())
            lines += guid.toUtf8() + '\t' + TimeText(when) + '\n';
    }
    if (lines.isEmpty())
        return FileStatus::Ok();
    if (const FileStatus made = m_files.MakePath(QFileInfo(m_path).path()); !made)
        return made;
    return m_files.AppendToFile(m_path, lines);
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
    return m_files.Remove(m_path);
}
