#pragma once

#include "sync/MachineIndex.h"

#include <QList>
#include <QString>

// The machines' subfolders of a sync folder.
struct MachineFolder
{
    QString name; // the subfolder's name: the machine's name
    QString path;
    IndexRead read;
};

namespace SyncFolder {

// A machine name as the name of its subfolder: trimmed, with "/", "\" and control
// characters made "_" and a leading "." made "_" (hidden folders belong to the folder-sync
// services). Empty for a name of blanks.
QString FolderNameOf(const QString& machine);

// Every other machine's subfolder with its index read, in name order. Hidden folders and
// plain files are not machines.
QList<MachineFolder> ReadOthers(const QString& syncFolder, const QString& ownFolderName);

// The highest sequence number in the names of the archive files of a folder, 0 when none.
qint64 HighestArchiveNumber(const QString& machineFolder);

// Removes what an interrupted write left in this machine's subfolder: files being written,
// and archives its index does not list.
void RemoveLeftovers(FileSystem& files, const QString& machineFolder, const MachineIndex& index);

} // namespace SyncFolder
