#include "index/IndexedDoc.h"

#include "index/ByteCoding.h"

using namespace ByteCoding;

namespace {

void PutDate(QByteArray& out, const DateTime& date)
{
    Put<quint8>(out, quint8(date.status()));
    Put<double>(out, date.Days());
}

DateTime GetDate(Reader& in)
{
    const auto status = DateTime::Status(in.Get<quint8>());
    const double days = in.Get<double>();
    switch (status) {
    case DateTime::Status::Valid:
        return DateTime::FromDays(days);
    case DateTime::Status::Invalid:
        return DateTime::Invalid();
    default:
        return DateTime();
    }
}

} // namespace

QByteArray IndexedFile::Serialize() const
{
    QByteArray out;
    out.reserve(48 + docs.size() * 56);
    Put<quint64>(out, stamp.device);
    Put<quint64>(out, stamp.inode);
    Put<qint64>(out, stamp.size);
    Put<qint64>(out, stamp.changedSeconds);
    Put<qint64>(out, stamp.changedNanoseconds);
    Put<double>(out, version);
    PutVarint(out, quint64(docs.size()));
    for (const IndexedDoc& doc : docs) {
        Put<quint32>(out, doc.doc);
        Put<qint32>(out, doc.noteId);
        Put<qint32>(out, doc.sourceId);
        PutDate(out, doc.dateAdded);
        PutDate(out, doc.lastEdited);
        Put<quint32>(out, doc.categories);
        Put<qint32>(out, doc.textLines);
        Put<qint32>(out, doc.textChars);
        Put<quint8>(out, doc.flags);
        Put<quint64>(out, doc.textDigest);
        PutVarint(out, quint64(doc.diskStart));
        PutVarint(out, quint64(doc.diskEnd - doc.diskStart));
    }
    Put<quint64>(out, Digest(out));
    return out;
}

std::optional<IndexedFile> IndexedFile::Deserialize(QByteArrayView bytes)
{
    if (bytes.size() < 8)
        return std::nullopt;
    const QByteArrayView body = bytes.first(bytes.size() - 8);
    Reader check(bytes.sliced(body.size()));
    if (check.Get<quint64>() != Digest(body))
        return std::nullopt;
    Reader in(body);
    IndexedFile file;
    file.stamp.device = in.Get<quint64>();
    file.stamp.inode = in.Get<quint64>();
    file.stamp.size = in.Get<qint64>();
    file.stamp.changedSeconds = in.Get<qint64>();
    file.stamp.changedNanoseconds = in.Get<qint64>();
    file.version = in.Get<double>();
    const quint64 count = in.GetVarint();
    if (!in.Ok() || count > quint64(body.size()))
        return std::nullopt;
    file.docs.reserve(qsizetype(count));
    for (quint64 i = 0; i < count && in.Ok(); ++i) {
        IndexedDoc doc;
        doc.doc = in.Get<quint32>();
        doc.noteId = in.Get<qint32>();
        doc.sourceId = in.Get<qint32>();
        doc.dateAdded = GetDate(in);
        doc.lastEdited = GetDate(in);
        doc.categories = in.Get<quint32>();
        doc.textLines = in.Get<qint32>();
        doc.textChars = in.Get<qint32>();
        doc.flags = in.Get<quint8>();
        doc.textDigest = in.Get<quint64>();
        const quint64 start = in.GetVarint();
        const quint64 length = in.GetVarint();
        if (start > quint64(file.stamp.size) || length > quint64(file.stamp.size) - start)
            return std::nullopt; // beyond the file it was read from
        doc.diskStart = qint64(start);
        doc.diskEnd = qint64(start + length);
        file.docs.append(doc);
    }
    if (!in.Ok() || !in.AtEnd())
        return std::nullopt;
    return file;
}
