#include "format/AuthorsFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/SourceFormat.h"
#include "format/Version.h"

#include <QIODevice>

namespace {

FieldWriter AuthorsWriter(const AuthorList& authors)
{
    FieldWriter writer;
    RecordListWriter::WriteAll(writer, Version::kNumber, authors, WriteAuthorRecord);
    return writer;
}

} // namespace

void WriteAuthorRecord(FieldWriter& writer, const AuthorRecord& author)
{
    writer.WriteInt(author.AuthorId);
    writer.WriteText(author.FirstName);
    writer.WriteText(author.MiddleInitial);
    writer.WriteText(author.LastName);
    writer.WriteText(author.AuthorText4);
    writer.WriteText(author.AuthorText5);
}

AuthorRecord ReadAuthorRecord(FieldReader& reader)
{
    AuthorRecord author;
    author.AuthorId = reader.ReadInt();
    author.FirstName = reader.ReadText();
    author.MiddleInitial = reader.ReadText();
    author.LastName = reader.ReadText();
    author.AuthorText4 = reader.ReadText();
    author.AuthorText5 = reader.ReadText();
    return author;
}

AuthorList ReadAuthorsFile(FieldReader& reader)
{
    // Every version so far stores authors alike.
    RecordListReader list(reader);
    return list.ReadAll<AuthorRecord>([](FieldReader& from, double) { return ReadAuthorRecord(from); },
                                      [](const AuthorRecord&) { return true; });
}

AuthorList ParseAuthorsFile(const QByteArray& logicalBytes)
{
    FieldReader reader(logicalBytes);
    return ReadAuthorsFile(reader);
}

AuthorList LoadAuthorsFile(QIODevice* device)
{
    FieldReader reader = FieldReader::FromDevice(device);
    return ReadAuthorsFile(reader);
}

AuthorList LoadAuthorsFile(const QString& path)
{
    FieldReader reader = FieldReader::FromFile(path);
    return ReadAuthorsFile(reader);
}

QByteArray SerializeAuthorsFile(const AuthorList& authors)
{
    return AuthorsWriter(authors).DiskBytes();
}

bool WriteAuthorsFile(QIODevice* device, const AuthorList& authors)
{
    return AuthorsWriter(authors).WriteTo(device);
}

FileStatus WriteAuthorsFile(FileSystem& files, const QString& path, const AuthorList& authors)
{
    return AuthorsWriter(authors).Save(files, path);
}
