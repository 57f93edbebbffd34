#include "format/FileSystem.h"

#include "format/RealFileSystem.h"

FileSystem& FileSystem::Real()
{
    static RealFileSystem real;
    return real;
}

FileStatus FileSystem::AppendToFile(const QString& path, const QByteArray& bytes)
{
    return Real().AppendToFile(path, bytes);
}

FileStatus FileSystem::Sync(const QString& path)
{
    return Real().Sync(path);
}

FileStatus FileSystem::SyncAll(const QString& path)
{
    return Real().SyncAll(path);
}
