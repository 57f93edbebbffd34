#pragma once

#include "format/DataFolder.h"
#include "format/FileStamp.h"
#include "format/NoteRecord.h"

#include <QList>
#include <QString>

// The database's notes as an import compares with them, read from the folder alone (so
// that another thread may read while the database is in use): every note file in
// listing order, one at a time, each note kept with only what the comparison and the
// integration need (ids, dates, GUID, source, attachments): no texts, key words or
// categories, which ReadWhole reads again from its file when they are wanted.
struct ImportDatabaseScan
{
    struct File
    {
        QString path;
        FileStamp stamp;
        QList<qint32> ids; // the ids of its records in file order
    };

    NotesList notes; // every file's notes in order, without their texts
    QList<int> fileOf; // for each note, its file in files
    QList<File> files;

    static ImportDatabaseScan Read(const DataFolder& folder);
    // Replaces note (a copy of notes[index]) by the whole record from its note file: the
    // first record there with its id and GUID. Left as it is when that is gone.
    void ReadWhole(int index, NoteRecord& note) const;
};
