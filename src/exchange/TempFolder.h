#pragma once

#include <QString>

// The temporary folders of export and import ("Data Files\ExportTemp" and
// "Data Files\ImportTemp"), left behind only by an interrupted run.

// Removes the folder with all its contents (a symbolic link in its place is removed,
// never followed) and creates it empty; false when it cannot be created.
bool ResetTempFolder(const QString& path);
// Removes the folder with all its contents; content when it does not exist.
void RemoveTempFolder(const QString& path);
