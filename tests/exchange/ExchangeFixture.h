#pragma once

// A small data root for the exchange suites: notes written straight into their files,
// sources, authors and attachment files, loaded into a NoteDatabase like at start-up.

#include "format/AuthorsFile.h"
#include "format/DataFolder.h"
#include "format/DateTime.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "support/FailingFileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <zip.h>

namespace exchange_test {

inline NoteRecord MakeNote(qint32 id, const QString& guid, const QString& text, qint32 sourceId = 0,
                           const DateTime& edited = DateTime::FromParts(2008, 8, 14, 21, 23, 56))
{
    NoteRecord note;
    note.NoteID = id;
    note.SourceID = sourceId;
    note.DateAdded = DateTime::FromParts(2008, 8, 14, 9, 0, 0);
    note.LastEdited = edited;
    note.NoteGUID = guid;
    note.PlainText = text;
    note.RichText = QStringLiteral("{\\rtf1 ") + text + QStringLiteral("}");
    return note;
}

inline AttachmentRecord MakeAttachment(const QString& storedName, const QString& title)
{
    AttachmentRecord attachment;
    attachment.StoredName = storedName;
    attachment.Title = title;
    attachment.OriginalName = title + QStringLiteral(".jpg");
    attachment.Kind = KindImage;
    return attachment;
}

inline SourceRecord MakeSource(qint32 id, const QString& guid, const QString& title, QList<qint32> authors)
{
    SourceRecord source;
    source.SourceId = id;
    source.SourceGUID = guid;
    source.Fields[0] = title;
    source.Fields[1] = QStringLiteral("Publisher of ") + title;
    source.AuthorIds = std::move(authors);
    source.Date = DateTime::FromParts(2001, 1, 1, 0, 0, 0);
    return source;
}

inline AuthorRecord MakeAuthor(qint32 id, const QString& first, const QString& last)
{
    AuthorRecord author;
    author.AuthorId = id;
    author.FirstName = first;
    author.LastName = last;
    return author;
}

// Every file under a folder with its bytes, by relative path.
inline QMap<QString, QByteArray> Snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QString relative = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir())
            files.insert(relative + QLatin1Char('/'), {});
        else if (file.open(QIODevice::ReadOnly))
            files.insert(relative, file.readAll());
    }
    return files;
}

class DataRoot
{
public:
    DataRoot()
        : folder(dir.path(), dir.path() + QStringLiteral("/program"), &failing)
    {
        static_cast<void>(folder.CreateFolders());
    }

    QString Path(const QString& name) const { return folder.FullPath(name); }

    void WriteImage(const QString& storedName, const QByteArray& bytes) const
    {
        QFile file(QDir(folder.ImagesFolder()).filePath(storedName));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray ReadImage(const QString& storedName) const
    {
        QFile file(QDir(folder.ImagesFolder()).filePath(storedName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Writes the notes into their files (appending to what the file holds) and the
    // sources and authors files, then loads a fresh database from them.
    NoteDatabase& Load(const NotesList& notes, const SourceList& sources, const AuthorList& authors)
    {
        for (const NoteRecord& note : notes) {
            const QString path = Path(NoteFileName(note));
            NotesList inFile = ReadNoteFile(path);
            inFile.append(note);
            EXPECT_TRUE(WriteNoteFile(FileSystem::Real(), path, inFile));
        }
        EXPECT_TRUE(WriteSourcesFile(FileSystem::Real(), folder.SourcesFilePath(), sources));
        EXPECT_TRUE(WriteAuthorsFile(FileSystem::Real(), folder.AuthorsFilePath(), authors));
        return Reload();
    }
    NoteDatabase& Reload()
    {
        sourceStore = std::make_unique<SourceStore>(folder, changes);
        sourceStore->BindAuthorCounter(&maxAuthorId);
        database = std::make_unique<NoteDatabase>(folder, changes);
        database->BindNoteCounter(&maxNoteId);
        database->LoadNoteDatabase(*sourceStore);
        return *database;
    }

    QTemporaryDir dir;
    // What the data folder's changes go through: the real file system until a test makes
    // a part of it fail.
    FailingFileSystem failing;
    DataFolder folder;
    qint32 maxNoteId = 1000;
    qint32 maxAuthorId = 1;
    ChangeNotice changes;
    std::unique_ptr<SourceStore> sourceStore;
    std::unique_ptr<NoteDatabase> database;
};

// Builds a zip archive entry by entry, for hostile archives the program never writes.
class ArchiveBuilder
{
public:
    explicit ArchiveBuilder(const QString& path)
    {
        int code = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    }
    ~ArchiveBuilder() { Close(); }

    zip_int64_t Add(const QByteArray& name, const QByteArray& bytes)
    {
        m_keep.append(bytes);
        zip_source_t* source
            = zip_source_buffer(m_zip, m_keep.last().constData(), zip_uint64_t(bytes.size()), 0);
        return zip_file_add(m_zip, name.constData(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
    }
    // An entry whose Unix mode says "symbolic link" and whose bytes are the link target.
    void AddSymlink(const QByteArray& name, const QByteArray& target)
    {
        const zip_int64_t index = Add(name, target);
        zip_file_set_external_attributes(m_zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, (0120777u) << 16);
    }
    bool Close()
    {
        if (m_zip == nullptr)
            return false;
        const bool ok = zip_close(m_zip) == 0;
        m_zip = nullptr;
        return ok;
    }

private:
    zip_t* m_zip = nullptr;
    QList<QByteArray> m_keep;
};

} // namespace exchange_test
