#pragma once

// Pictures of a data root and of a note database, for the suites that check that a
// failed operation left everything exactly as it was: compare the picture taken before
// with the one taken after.

#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QStringList>

namespace DataRootPicture {

// Every file and folder under root, by relative path, with the file's bytes.
inline QMap<QString, QByteArray> Files(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        QFile file(path);
        if (it.fileInfo().isDir())
            files.insert(relative + QLatin1Char('/'), {});
        else if (file.open(QIODevice::ReadOnly))
            files.insert(relative, file.readAll());
    }
    return files;
}

// The paths whose presence or bytes differ between two pictures of Files(), for a short
// failure message.
inline QStringList Differences(const QMap<QString, QByteArray>& before,
                               const QMap<QString, QByteArray>& after)
{
    QStringList paths;
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            paths.append(QStringLiteral("gone: ") + it.key());
        else if (after.value(it.key()) != it.value())
            paths.append(QStringLiteral("changed: ") + it.key());
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (!before.contains(it.key()))
            paths.append(QStringLiteral("new: ") + it.key());
    }
    return paths;
}

inline QJsonArray Ids(const NoteIdList& ids)
{
    QJsonArray array;
    for (qint32 id : ids)
        array.append(id);
    return array;
}

// Every index of the database, the sources and authors, counters, total and the current
// list (when given).
inline QString Database(const NoteDatabase& db, const SourceStore& store,
                        const CurrentNotesList* list = nullptr)
{
    QJsonArray files;
    for (const NoteFileEntry& entry : db.FileIndex().Entries())
        files.append(QJsonArray {entry.path, Ids(entry.ids)});
    QJsonArray sources;
    for (const SourceRecord& source : store.Sources())
        sources.append(QJsonArray {source.SourceId, source.SourceGUID, source.Fields.value(0),
                                   Ids(db.NotesCiting(source.SourceId))});
    QJsonArray authors;
    for (const AuthorRecord& author : store.Authors())
        authors.append(QJsonArray {author.AuthorId, author.FirstName, author.LastName});
    QJsonArray current;
    if (list) {
        for (const NoteRecord& note : list->LoadAllNotes())
            current.append(QJsonArray {note.NoteID, note.PlainText, note.SourceID});
    }
    const QJsonObject picture {
        {QStringLiteral("categories"), db.Categories().ToJson()},
        {QStringLiteral("keywords"), db.KeyWords().ToJson()},
        {QStringLiteral("unassigned"), Ids(db.UnassignedNoteIds())},
        {QStringLiteral("noSource"), Ids(db.NoSourceNoteIds())},
        {QStringLiteral("files"), files},
        {QStringLiteral("sources"), sources},
        {QStringLiteral("authors"), authors},
        {QStringLiteral("current"), current},
        {QStringLiteral("total"), db.Total()},
        {QStringLiteral("maxNoteId"), db.MaxNoteID()},
        {QStringLiteral("maxAuthorId"), store.MaxAuthorID()},
    };
    return QString::fromUtf8(QJsonDocument(picture).toJson(QJsonDocument::Indented));
}

} // namespace DataRootPicture
