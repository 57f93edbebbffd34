#pragma once

#include <QString>

// The places the program finds itself and its data on this platform.
class AppPaths
{
public:
    // "$XDG_DATA_HOME/Brenlow Software/Quorvel" (by default under ~/.local/share): the
    // shared data folder with the maker's and then the program's folder appended.
    static QString DefaultDataRoot();
    // "$XDG_CACHE_HOME/Brenlow Software/Quorvel/SearchIndex" (by default under ~/.cache):
    // the kept search indexes, one file per data folder, never among the data files.
    static QString SearchIndexFolder();
    // The data root named by QUORVEL_DATA_ROOT, or an empty text when it is not set.
    static QString DataRootFromEnvironment();
    // The folder of the running executable; empty before a QCoreApplication exists.
    static QString ProgramFolder();
    // The settings file: "Quorvel.ini" in an explicitly named data root (portable use),
    // otherwise the per-user "~/.config/Brenlow/Quorvel.ini".
    static QString SettingsFile(const QString& explicitDataRoot);
};
