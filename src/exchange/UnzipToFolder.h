#pragma once

#include "exchange/UnzipLimits.h"

#include <QString>
#include <functional>

// An entry to extract before all others, and how its writing goes, so that another
// thread can read it as it grows: the import reads its data file while it is unpacked.
// Nothing is called when the archive does not hold the entry; once started is called,
// ended is called too, whatever happens.
struct UnzipFirst
{
    QString name;
    // The entry's file exists (empty); size is the size the archive states for it.
    std::function<void(qint64 size)> started;
    // After each piece written: the bytes written so far.
    std::function<void(qint64 written)> grown;
    // The entry's writing is over, whole or not.
    std::function<void()> ended;
};

// Extracts every entry of the ZIP archive into folderPath (which must exist), keeping
// the entry names. Nothing is ever written outside the folder: the whole archive is
// refused, before a single byte is extracted, when any entry
//   - has a name that is absolute, holds a backslash, a colon, a "." or ".." part or an
//     empty part, or
//   - is a symbolic link, or
//   - breaks the limits (count, sizes, expansion ratio, free space).
// Sizes are checked again while extracting, so an entry whose stored size lies stops
// at that size. On failure *error gets a text of at most 100 characters (the zip
// library's own text when the library failed) and the folder may hold a part of the
// entries; the caller removes it.
bool UnzipToFolder(const QString& archivePath, const QString& folderPath, QString* error = nullptr,
                   const UnzipLimits& limits = UnzipLimits(), const UnzipFirst& first = UnzipFirst());

// True for an entry name that stays inside the folder it is extracted into:
// "0000042.jpg", "sub/file.txt", "sub/" pass; "../x", "/etc/x", "a\\b", "C:x", "a//b",
// "./x", "" fail.
bool IsSafeEntryName(const QString& name);
