#include "format/FileSystem.h"

#include "format/RealFileSystem.h"

FileSystem* FileSystem::s_current = nullptr;

FileSystem& FileSystem::Real()
{
    static RealFileSystem real;
    return real;
}

FileSystem& FileSystem::Current()
{
    return s_current != nullptr ? *s_current : Real();
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement)
    : m_previous(FileSystem::s_current)
{
    FileSystem::s_current = &replacement;
}

ScopedFileSystem::~ScopedFileSystem()
{
    FileSystem::s_current = m_previous;
}

FileStatus FileSystem::AppendToFile(const QString& path, const QByteArray& bytes)
{
    return Real().AppendToFile(path, bytes);
}
