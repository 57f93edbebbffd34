#pragma once

#include <QString>

// Where the program's files live. Names are written the Windows way, with backslashes
// ("Data Files\Notes\DAY08142008.dat"); a name that contains "Data Files" resolves under
// the data root, any other under the program folder.
class DataFolder
{
public:
    DataFolder() = default;
    DataFolder(QString dataRoot, QString programFolder);

    const QString& DataRoot() const { return m_dataRoot; }
    const QString& ProgramFolder() const { return m_programFolder; }

    QString FullPath(const QString& name) const;

    // Common places, as full paths ending without a separator.
    QString DataFilesFolder() const { return FullPath(QStringLiteral("Data Files")); }
    QString NotesFolder() const { return FullPath(QStringLiteral("Data Files\\Notes")); }
    QString ImagesFolder() const { return FullPath(QStringLiteral("Data Files\\Images")); }
    QString LexiconsFolder() const { return FullPath(QStringLiteral("Data Files\\Lexicons")); }

    // Creates "Data Files" and its Notes, Images and Lexicons folders where missing.
    bool CreateFolders() const;

private:
    QString m_dataRoot;
    QString m_programFolder;
};
