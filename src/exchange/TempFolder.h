#pragma once

#include "format/FileStatus.h"
#include "format/FileSystem.h"

#include <QString>

// The temporary folders of export and import ("Data Files\ExportTemp" and
// "Data Files\ImportTemp"), left behind only by an interrupted run. Both go through the
// data folder's file system.

// Removes the folder with all its contents (a symbolic link in its place is removed,
// never followed) and creates it empty; the failure when it cannot.
FileStatus ResetTempFolder(FileSystem& files, const QString& path);
// Removes the folder with all its contents; content when it does not exist. A folder
// that cannot be removed is left for the next run's reset.
void RemoveTempFolder(FileSystem& files, const QString& path);
