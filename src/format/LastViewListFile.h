#pragma once

#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/NoteIdList.h"

#include <QByteArray>
#include <QString>

// "Data Files\LastViewList.dat" keeps the current list's ids across runs: Integer count
// N, then N Integers, in list order.
namespace LastViewListFile {
// An absent or unreadable file gives an empty list.
NoteIdList Read(const QString& path);
NoteIdList Parse(const QByteArray& logicalBytes);
QByteArray Serialize(const NoteIdList& ids);
// Atomically; a failure (the file and the reason) leaves the file as it was.
FileStatus Write(FileSystem& files, const QString& path, const NoteIdList& ids);
} // namespace LastViewListFile
