#include "format/ReadOnlyFileSystem.h"

#include "format/DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

using Action = FileStatus::Action;

QString Absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

FileStatus Refusal(Action action, const QString& path, const QString& target = QString())
{
    return FileStatus::Failed(action, path, DataFolder::ReadOnlyReason(), target);
}

} // namespace

ReadOnlyFileSystem::ReadOnlyFileSystem(FileSystem& beneath, const QString& dataRoot)
    : m_beneath(beneath)
    , m_root(Absolute(dataRoot))
{
}

bool ReadOnlyFileSystem::Refuses(const QString& path) const
{
    const QString absolute = Absolute(path);
    return absolute == m_root || absolute.startsWith(m_root + QLatin1Char('/'))
        || m_root == QLatin1String("/");
}

FileStatus ReadOnlyFileSystem::WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    return Refuses(path) ? Refusal(Action::Write, path) : m_beneath.WriteWholeFile(path, bytes);
}

FileStatus ReadOnlyFileSystem::AppendToFile(const QString& path, const QByteArray& bytes)
{
    return Refuses(path) ? Refusal(Action::Write, path) : m_beneath.AppendToFile(path, bytes);
}

FileStatus ReadOnlyFileSystem::Rename(const QString& from, const QString& to)
{
    if (Refuses(from) || Refuses(to))
        return Refusal(Action::Rename, from, to);
    return m_beneath.Rename(from, to);
}

FileStatus ReadOnlyFileSystem::Remove(const QString& path)
{
    return Refuses(path) ? Refusal(Action::Remove, path) : m_beneath.Remove(path);
}

FileStatus ReadOnlyFileSystem::Copy(const QString& from, const QString& to)
{
    return Refuses(to) ? Refusal(Action::Copy, from, to) : m_beneath.Copy(from, to);
}

FileStatus ReadOnlyFileSystem::Link(const QString& existing, const QString& to)
{
    return Refuses(to) ? Refusal(Action::Write, to) : m_beneath.Link(existing, to);
}

FileStatus ReadOnlyFileSystem::MakePath(const QString& path)
{
    return Refuses(path) ? Refusal(Action::CreateFolder, path) : m_beneath.MakePath(path);
}

FileStatus ReadOnlyFileSystem::RemoveFolder(const QString& path)
{
    return Refuses(path) ? Refusal(Action::Remove, path) : m_beneath.RemoveFolder(path);
}

FileStatus ReadOnlyFileSystem::SyncSettings(QSettings& settings)
{
    if (Refuses(settings.fileName()))
        return Refusal(Action::Write, settings.fileName());
    return m_beneath.SyncSettings(settings);
}

FileStatus ReadOnlyFileSystem::Sync(const QString& path)
{
    return m_beneath.Sync(path);
}

FileStatus ReadOnlyFileSystem::SyncAll(const QString& path)
{
    return m_beneath.SyncAll(path);
}
