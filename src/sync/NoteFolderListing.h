#pragma once

#include "format/FileStamp.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The note files of a notes folder as the load sees them (not folders, names ending in
// "dat" exactly), each with its stamp, in name order; read with one stat per file and
// no file opened, so that a sync tells cheaply whether any note file changed.
struct NoteFolderListing
{
    struct File
    {
        QString name;
        FileStamp stamp;
    };
    QList<File> files;

    static NoteFolderListing Read(const QString& notesFolder);
    // A digest of every name and stamp: equal digests, same files unchanged.
    QByteArray Digest() const;
};
