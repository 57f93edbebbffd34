#include "format/DataFolder.h"

#include <QDir>

DataFolder::DataFolder(QString dataRoot, QString programFolder, Access access)
    : m_dataRoot(std::move(dataRoot))
    , m_programFolder(std::move(programFolder))
    , m_access(access)
{
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

bool DataFolder::CreateFolders() const
{
    QDir dir;
    if (IsReadOnly())
        return dir.exists(NotesFolder()) && dir.exists(ImagesFolder()) && dir.exists(LexiconsFolder());
    return dir.mkpath(NotesFolder()) && dir.mkpath(ImagesFolder()) && dir.mkpath(LexiconsFolder());
}
