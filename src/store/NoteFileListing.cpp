#include "store/NoteFileListing.h"

#include <QDateTime>
#include <QDir>

namespace {

constexpr qint64 kCoarseClockSeconds = 2;

} // namespace

NoteFileListing::NoteFileListing(QString notesFolder, std::function<qint64()> now)
    : m_notesFolder(std::move(notesFolder))
    , m_now(now ? std::move(now) : [] { return QDateTime::currentSecsSinceEpoch(); })
{
}

const QStringList& NoteFileListing::Names()
{
    const std::optional<FileStamp> stamp = FileStamp::Of(m_notesFolder);
    if (m_trusted && stamp && stamp == m_folderStamp)
        return m_names;
    const qint64 listedAt = m_now();
    m_names = ListFolder(m_notesFolder);
    m_folderStamp = stamp;
    m_trusted = stamp && stamp->changedSeconds + kCoarseClockSeconds < listedAt;
    return m_names;
}

QStringList NoteFileListing::ListFolder(const QString& notesFolder)
{
    QStringList names = QDir(notesFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeIf([](const QString& name) { return !name.endsWith(QLatin1String("dat")); });
    return names;
}
