#pragma once

#include "format/FileStamp.h"

#include <QString>
#include <optional>

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

private:
    int m_folder = -1;
};
