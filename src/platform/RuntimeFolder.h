#pragma once

#include <QString>

// The user's own folder for what must not be reachable by other users of the machine: the
// local sockets through which a second copy finds the running one and the program finds
// its agent, and the print program's hand-off files while the data folder is read-only.
//
// It is $XDG_RUNTIME_DIR when that is set and is a folder of this user that nobody else
// may enter (mode 0700, as the desktop session makes it). Otherwise it is
// "<temporary folder>/quorvel-<uid>", made with mode 0700 when missing. A folder found
// there that is not a real folder (a symbolic link), belongs to another user or lets
// others in is refused, never repaired: someone else may have put it there first.
class RuntimeFolder
{
public:
    // The folder for this process's environment; empty, with the reason in error, when
    // no safe folder can be had.
    static QString Path(QString* error = nullptr);

    // The same with the inputs named: xdgRuntimeDir as the variable holds it (may be
    // empty), temporaryParent the folder in which the fallback is made.
    static QString Find(const QString& xdgRuntimeDir, const QString& temporaryParent, QString* error);

    // A folder of this name inside the runtime folder, made and checked the same way;
    // empty, with the reason, when either cannot be had.
    static QString SubFolder(const QString& name, QString* error = nullptr);

    // Creates path with mode 0700 unless it exists, then checks that it is a real folder
    // of this user closed to everyone else. False, with the reason, otherwise.
    static bool MakePrivate(const QString& path, QString* error);
    // Whether path is a real folder (not a link) of this user with no access for others.
    static bool IsPrivate(const QString& path, QString* error = nullptr);
};
