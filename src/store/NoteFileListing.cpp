#include "lists/NoteFileListing.h"

#include "store/NoteDatabase.h"

#include <QDateTime>

namespace {

constexpr qint64 kCoarseClockSeconds = 2;

} // namespace

NoteFileListing::NoteFileListing(const NoteDatabase& database, std::function<qint64()> now)
    : m_database(database)
    , m_now(now ? std::move(now) : [] { return QDateTime::currentSecsSinceEpoch(); })
{
}

const QStringList& NoteFileListing::Names()
{
    const QString folder = m_database.Folder().NotesFolder();
    const std::optional<FileStamp> stamp = FileStamp::Of(folder);
    if (m_trusted && stamp && stamp == m_folderStamp)
        return m_names;
    const qint64 listedAt = m_now();
    m_names = m_database.NoteFileNames();
    m_folderStamp = stamp;
    m_trusted = stamp && stamp->changedSeconds + kCoarseClockSeconds < listedAt;
    return m_names;
}
