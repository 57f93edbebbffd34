#include "format/LastViewListFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

#include <QFile>

namespace LastViewListFile {

NoteIdList Parse(const QByteArray& logicalBytes)
{
    FieldReader reader(logicalBytes);
    NoteIdList ids;
    ids.Read(reader);
    return ids;
}

NoteIdList Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return NoteIdList();
    return Parse(FieldReader::FromDiskBytes(file.readAll()));
}

QByteArray Serialize(const NoteIdList& ids)
{
    FieldWriter writer;
    ids.Write(writer);
    return writer.DiskBytes();
}

FileStatus Write(FileSystem& files, const QString& path, const NoteIdList& ids)
{
    return SaveFileAtomically(files, path, Serialize(ids));
}

} // namespace LastViewListFile
