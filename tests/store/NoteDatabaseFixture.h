#pragma once

// Builders for small "Data Files" trees in a temporary folder, shared by the note
// database and current list suites.

#include "format/AuthorsFile.h"
#include "format/DataFolder.h"
#include "format/NoteFile.h"
#include "format/NoteRecord.h"
#include "format/SourcesFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace DatabaseFixture {

inline NoteRecord MakeNote(qint32 id, qint32 sourceId, const DateTime& added, const QString& keyWords = {},
                           const QStringList& path = {})
{
    NoteRecord note;
    note.NoteID = id;
    note.SourceID = sourceId;
    note.DateAdded = added;
    note.LastEdited = added;
    note.NoteGUID = QStringLiteral("{00000000-0000-0000-0000-%1}").arg(id, 12, 10, QLatin1Char('0'));
    note.KeyWords = keyWords;
    note.PlainText = QStringLiteral("Note %1").arg(id);
    note.RichText = QStringLiteral("{\\rtf1 Note %1\\par\n}").arg(id);
    for (int level = 0; level < path.size() && level < 4; ++level) {
        CategoryLevelEntry* entry = note.Categories.FindEntry(level);
        entry->name = path.at(level);
        entry->parentName = level == 0 ? QString() : path.at(level - 1);
    }
    return note;
}

inline DateTime Day(int year, int month, int day, int hour = 12)
{
    return DateTime::FromParts(year, month, day, hour, 0, 0);
}

inline SourceRecord MakeSource(qint32 id, const QString& title)
{
    SourceRecord source;
    source.SourceId = id;
    source.SourceGUID = QStringLiteral("{SRC-%1}").arg(id);
    source.Fields[0] = title;
    return source;
}

// A data root with "Data Files" and its Notes and Images folders.
struct Root
{
    QTemporaryDir dir;
    DataFolder folder {dir.path(), dir.path()};

    Root() { static_cast<void>(folder.CreateFolders()); }

    // The same folder with its changes going through files (a failing file system).
    DataFolder Through(FileSystem& files) const { return DataFolder(dir.path(), dir.path(), &files); }

    QString NotesPath(const QString& name) const { return QDir(folder.NotesFolder()).filePath(name); }
    QString ImagesPath(const QString& name) const { return QDir(folder.ImagesFolder()).filePath(name); }
    QString DataPath(const QString& name) const { return QDir(folder.DataFilesFolder()).filePath(name); }

    void WriteNotes(const QString& name, const NotesList& notes) const
    {
        ASSERT_TRUE(WriteNoteFile(FileSystem::Real(), NotesPath(name), notes));
    }
    NotesList ReadNotes(const QString& name) const { return ReadNoteFile(NotesPath(name)); }
    void WriteRaw(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
    }
    void WriteSources(const SourceList& sources) const
    {
        ASSERT_TRUE(WriteSourcesFile(FileSystem::Real(), DataPath(QStringLiteral("Sources.dat")), sources));
    }
    void WriteAuthors(const AuthorList& authors) const
    {
        ASSERT_TRUE(WriteAuthorsFile(FileSystem::Real(), DataPath(QStringLiteral("Authors.dat")), authors));
    }
};

template<typename Notes> QList<qint32> IdsOf(const Notes& notes)
{
    QList<qint32> ids;
    for (const auto& note : notes)
        ids.append(note.NoteID);
    return ids;
}

} // namespace DatabaseFixture
