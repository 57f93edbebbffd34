#include "store/NoteCache.h"

#include "format/NoteFile.h"

namespace {

qint64 TextBytes(const NotesList& notes)
{
    qint64 bytes = 0;
    for (const NoteRecord& note : notes)
        bytes += 2 * (note.PlainText.size() + note.RichText.size()) + 256;
    return bytes;
}

} // namespace

NoteCache::NoteCache(qint64 byteBudget)
    : m_budget(byteBudget)
{
}

std::optional<NoteRecord> NoteCache::Find(const QString& path, qint32 id)
{
    const CachedFile* file = Fresh(path);
    if (!file)
        return std::nullopt;
    const auto found = file->positions.constFind(id);
    if (found == file->positions.cend())
        return std::nullopt;
    return file->notes.at(*found);
}

NoteCache::CachedFile* NoteCache::Fresh(const QString& path)
{
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    const auto held = m_byPath.constFind(path);
    if (held != m_byPath.cend()) {
        const Files::iterator file = *held;
        if (stamp && file->stamp == *stamp) {
            m_files.splice(m_files.begin(), m_files, file);
            return &*file;
        }
        Drop(file);
    }
    if (!stamp)
        return nullptr;
    return Load(path, *stamp);
}

NoteCache::CachedFile* NoteCache::Load(const QString& path, const FileStamp& expected)
{
    CachedFile file;
    file.path = path;
    file.notes = ReadNoteFile(path, &file.stamp);
    // Changed between the look and the read: what was read is served once, not kept.
    const bool keep = file.stamp == expected;
    for (int i = int(file.notes.size()) - 1; i >= 0; --i)
        file.positions.insert(file.notes.at(i).NoteID, i);
    file.bytes = TextBytes(file.notes);
    m_files.push_front(std::move(file));
    m_byPath.insert(path, m_files.begin());
    m_bytes += m_files.front().bytes;
    if (!keep)
        m_files.front().stamp = FileStamp(); // never equal to a real file's stamp
    Trim();
    return &m_files.front();
}

void NoteCache::Forget(const QString& path)
{
    const auto held = m_byPath.constFind(path);
    if (held != m_byPath.cend())
        Drop(*held);
}

void NoteCache::Clear()
{
    m_files.clear();
    m_byPath.clear();
    m_bytes = 0;
}

void NoteCache::Drop(Files::iterator file)
{
    m_bytes -= file->bytes;
    m_byPath.remove(file->path);
    m_files.erase(file);
}

void NoteCache::Trim()
{
    // The file just read stays, however large: it is the one being asked for.
    while (m_bytes > m_budget && m_files.size() > 1)
        Drop(std::prev(m_files.end()));
}
