#include "exchange/TempFolder.h"

#include "format/FileSystem.h"

void RemoveTempFolder(const QString& path)
{
    FileSystem::Current().RemoveFolder(path);
}

FileStatus ResetTempFolder(const QString& path)
{
    FileSystem& files = FileSystem::Current();
    if (const FileStatus removed = files.RemoveFolder(path); !removed)
        return removed;
    return files.MakePath(path);
}
