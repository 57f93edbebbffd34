#include "store/DataChange.h"

NoteIdList DataChange::DeletedIds() const
{
    NoteIdList ids;
    for (const DeletedNote& note : deleted)
        ids.Append(note.id);
    return ids;
}

void DataChange::AddWrittenFile(const QString& path)
{
    if (!writtenFiles.contains(path))
        writtenFiles.append(path);
}
