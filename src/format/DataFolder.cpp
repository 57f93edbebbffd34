#include "format/DataFolder.h"

#include "format/FileSystem.h"

#include <QDir>
#include <QFileInfo>

DataFolder::DataFolder(QString dataRoot, QString programFolder, FileSystem* files, Access access)
    : m_dataRoot(std::move(dataRoot))
    , m_programFolder(std::move(programFolder))
    , m_files(files)
    , m_access(access)
{
}

FileSystem& DataFolder::Files() const
{
    return m_files ? *m_files : FileSystem::Real();
}

QString DataFolder::ReadOnlyText() const
{
    return QStringLiteral("The data folder \"%1\" is read-only: nothing can be stored in it.")
        .arg(QDir::toNativeSeparators(DataFilesFolder()));
}

QString DataFolder::FullPath(const QString& name) const
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    const QString& base = name.contains(QLatin1String("Data Files")) ? m_dataRoot : m_programFolder;
    return QDir::cleanPath(base + QLatin1Char('/') + relative);
}

FileStatus DataFolder::CreateFolders() const
{
    if (IsReadOnly()) {
        for (const QString& folder : {NotesFolder(), ImagesFolder(), LexiconsFolder()}) {
            if (!QFileInfo(folder).isDir())
                return FileStatus::Failed(FileStatus::Action::CreateFolder, folder, ReadOnlyReason());
        }
        return FileStatus::Ok();
    }
    FileSystem& files = Files();
    FileStatus made = files.MakePath(NotesFolder());
    if (made)
        made = files.MakePath(ImagesFolder());
    if (made)
        made = files.MakePath(LexiconsFolder());
    return made;
}
