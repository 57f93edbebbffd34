#pragma once

#include <QString>

// Where the program's files live. Names are written the Windows way, with backslashes
// ("Data Files\Notes\DAY08142008.dat"); a name that contains "Data Files" resolves under
// the data root, any other under the program folder.
//
// A run either may change the data folder or only reads it. A folder that this user
// cannot write (a read-only medium, a folder without write permission) is opened
// read-only, decided once at start-up and never changed for the run: the program then
// reads, searches, prints and exports, every operation that would store something refuses
// before it touches a file, and nothing is written under the data root (ReadOnlyFileSystem
// refuses whatever would still try).
class DataFolder
{
public:
    enum class Access
    {
        Writable,
        ReadOnly,
    };

    DataFolder() = default;
    DataFolder(QString dataRoot, QString programFolder, Access access = Access::Writable);

    const QString& DataRoot() const { return m_dataRoot; }
    const QString& ProgramFolder() const { return m_programFolder; }

    QString FullPath(const QString& name) const;

    bool IsReadOnly() const { return m_access == Access::ReadOnly; }
    // What a refused change says, naming the folder:
    //   The data folder "/media/usb/Notes/Data Files" is read-only: nothing can be stored in it.
    QString ReadOnlyText() const;
    // The reason a change under a read-only data root fails with (FileStatus::Reason()).
    static QString ReadOnlyReason() { return QStringLiteral("The data folder is read-only"); }

    // Common places, as full paths ending without a separator.
    QString DataFilesFolder() const { return FullPath(QStringLiteral("Data Files")); }
    QString NotesFolder() const { return FullPath(QStringLiteral("Data Files\\Notes")); }
    QString ImagesFolder() const { return FullPath(QStringLiteral("Data Files\\Images")); }
    QString LexiconsFolder() const { return FullPath(QStringLiteral("Data Files\\Lexicons")); }

    // Creates "Data Files" and its Notes, Images and Lexicons folders where missing; a
    // read-only folder is left as it is. True when all of them exist.
    bool CreateFolders() const;

private:
    QString m_dataRoot;
    QString m_programFolder;
    Access m_access = Access::Writable;
};
