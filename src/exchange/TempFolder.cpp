#include "exchange/TempFolder.h"

#include "format/FileSystem.h"

void RemoveTempFolder(FileSystem& files, const QString& path)
{
    // One left behind is emptied by the next run's reset.
    static_cast<void>(files.RemoveFolder(path));
}

FileStatus ResetTempFolder(FileSystem& files, const QString& path)
{
    if (const FileStatus removed = files.RemoveFolder(path); !removed)
        return removed;
    return files.MakePath(path);
}
