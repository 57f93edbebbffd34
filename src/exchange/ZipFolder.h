#pragma once

#include "format/FileSystem.h"

#include <QList>
#include <QString>

// Builds a ZIP archive at archivePath from the whole contents of folderPath, recursively.
// With keepFolderName false the entry names start below the folder, so the folder's
// files become root entries; with true every name starts with the folder's own name.
// Symbolic links inside the folder are left out.
//
// The archive is written under a temporary name beside archivePath and renamed over it
// only when it is complete: a failure leaves no half-written file at archivePath (and an
// older file there untouched). On failure the zip library's own error text, cut to 100
// characters, goes to *error and the result is false. The rename, and the removal of a
// temporary archive left over, go through fileSystem.
bool ZipFolder(FileSystem& fileSystem, const QString& archivePath, const QString& folderPath,
               bool keepFolderName, QString* error = nullptr);

// One file of an archive made by ZipFiles.
struct ZipFileEntry
{
    QString path; // the file on disk
    QString entryName; // its name in the archive, "/" between folders
};

// Builds an archive from the given files, in order, with the same guarantees as
// ZipFolder (written under a temporary name, renamed over archivePath when complete). A
// later entry of the same name replaces an earlier one. A file that does not exist is
// left out, as a folder copy would lack it.
// The finished archive is renamed into place, and a temporary one removed, through fileSystem.
bool ZipFiles(FileSystem& fileSystem, const QString& archivePath, const QList<ZipFileEntry>& files,
              QString* error = nullptr);
