#pragma once

#include "format/FileStamp.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The stamps of files of one folder, looked up by their names in the folder once opened
// rather than path by path: the stamp check before every answer stats every note file.
class FolderStamps
{
public:
    explicit FolderStamps(const QString& folder);
    ~FolderStamps();
    FolderStamps(const FolderStamps&) = delete;
    FolderStamps& operator=(const FolderStamps&) = delete;

    // None when the name names nothing there (or the folder cannot be opened).
    std::optional<FileStamp> Of(const QString& name) const;
    // Of for each name, in order; a long list is stamped on two threads, the system's
    // work on each file being most of the check before an answer.
    std::vector<std::optional<FileStamp>> OfAll(const QStringList& names) const;

private:
    int m_folder = -1;
};
