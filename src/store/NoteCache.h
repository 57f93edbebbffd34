#pragma once

#include "format/FileStamp.h"
#include "format/NoteRecord.h"

#include <QHash>
#include <QString>
#include <list>
#include <optional>

// Recently read note files, whole, for the notes that are drawn, printed or opened one
// at a time: neighbours in a list usually share a file, so one read serves them all.
//
// A file is served again only while its stamp on disk is the one it was read with, so a
// note saved, moved or deleted since (by this program or any other) is read afresh and a
// stale copy is never handed out. The texts kept are bounded by a byte budget; the files
// used least recently go first.
class NoteCache
{
public:
    explicit NoteCache(qint64 byteBudget = kDefaultBudget);

    // The first record with that id in the file at path; none when the file cannot be
    // read or does not hold it.
    std::optional<NoteRecord> Find(const QString& path, qint32 id);
    // Drops what is kept of one file, or of all.
    void Forget(const QString& path);
    void Clear();

    qint64 BytesHeld() const { return m_bytes; }
    int FilesHeld() const { return int(m_files.size()); }

    static constexpr qint64 kDefaultBudget = 32 * 1024 * 1024;

private:
    struct CachedFile
    {
        QString path;
        FileStamp stamp;
        NotesList notes;
        QHash<qint32, int> positions; // first record of each id
        qint64 bytes = 0;
    };
    using Files = std::list<CachedFile>;

    // The file as it is on disk now, moved to the front; nullptr when it cannot be read.
    CachedFile* Fresh(const QString& path);
    CachedFile* Load(const QString& path, const FileStamp& stamp);
    void Drop(Files::iterator file);
    void Trim();

    qint64 m_budget;
    qint64 m_bytes = 0;
    Files m_files; // most recently used first
    QHash<QString, Files::iterator> m_byPath;
};
