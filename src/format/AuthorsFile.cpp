#include "format/AuthorsFile.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/SourceFormat.h"

#include <QIODevice>

namespace {

FieldWriter AuthorsWriter(const AuthorList& authors)
{
    FieldWriter writer;
    writer.WriteReal(SourceFormat::kFileVersion);
    writer.WriteInt(static_cast<qint32>(authors.size()));
    for (const AuthorRecord& author : authors)
        WriteAuthorRecord(writer, author);
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
    AuthorList authors;
    reader.ReadReal(); // every version so far stores authors alike
    const qint32 count = reader.ReadInt();
    // The count is never trusted for an allocation: a damaged count stops at the end.
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        authors.append(ReadAuthorRecord(reader));
    return authors;
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

bool WriteAuthorsFile(const QString& path, const AuthorList& authors)
{
    return AuthorsWriter(authors).Save(path);
}
