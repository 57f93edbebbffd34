#include "index/IndexCoding.h"

#include "index/ByteCoding.h"

#include <vector>

using namespace ByteCoding;

namespace IndexCoding {

namespace {

    enum : quint8
    {
        AsDifferences = 0,
        AsBitmap = 1,
    };

    QByteArray EncodeText(const QString& text)
    {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }

    QString DecodeText(QByteArrayView bytes)
    {
        QString text(bytes.size() / 2, Qt::Uninitialized);
        std::memcpy(text.data(), bytes.data(), size_t(text.size()) * 2);
        return text;
    }

    QByteArray Sealed(QByteArray bytes)
    {
        Put<quint32>(bytes, quint32(Digest(bytes)));
        return bytes;
    }

} // namespace

QByteArray EncodeCategoryPath(const CategoryAssignment& path)
{
    QByteArray out;
    PutVarint(out, quint64(path.entries.size()));
    for (const CategoryLevelEntry& entry : path.entries) {
        Put<qint32>(out, entry.level);
        PutBytes(out, EncodeText(entry.name));
        PutBytes(out, EncodeText(entry.parentName));
    }
    return out;
}

std::optional<CategoryAssignment> DecodeCategoryPath(QByteArrayView bytes)
{
    Reader in(bytes);
    CategoryAssignment path;
    path.entries.clear();
    const quint64 count = in.GetVarint();
    for (quint64 i = 0; i < count && in.Ok(); ++i) {
        CategoryLevelEntry entry;
        entry.level = in.Get<qint32>();
        entry.name = DecodeText(in.GetBytes());
        entry.parentName = DecodeText(in.GetBytes());
        path.entries.append(entry);
    }
    if (!in.Ok() || !in.AtEnd())
        return std::nullopt;
    return path;
}

QByteArray SealPostings(const DocSet& docs)
{
    QByteArray bytes;
    if (docs.Count() <= kMostDifferences) {
        bytes.append(char(AsDifferences));
        quint32 previous = 0;
        docs.ForEach([&](quint32 doc) {
            PutVarint(bytes, doc - previous);
            previous = doc;
            return true;
        });
    } else {
        bytes.append(char(AsBitmap));
        bytes.append(docs.Serialize());
    }
    return Sealed(std::move(bytes));
}

QByteArray SealDifferences(std::string_view differences)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(differences.size()) + 5);
    bytes.append(char(AsDifferences));
    bytes.append(differences.data(), qsizetype(differences.size()));
    return Sealed(std::move(bytes));
}

std::vector<quint32> DecodeDifferences(std::string_view differences)
{
    std::vector<quint32> docs;
    Reader in(QByteArrayView(differences.data(), qsizetype(differences.size())));
    quint32 doc = 0;
    while (!in.AtEnd()) {
        doc += quint32(in.GetVarint());
        docs.push_back(doc);
    }
    return docs;
}

std::optional<DocSet> OpenPostings(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return DocSet();
    if (bytes.size() < 5)
        return std::nullopt;
    const QByteArrayView body = bytes.first(bytes.size() - 4);
    if (Reader(bytes.sliced(body.size())).Get<quint32>() != quint32(Digest(body)))
        return std::nullopt;
    if (body.front() == char(AsBitmap))
        return DocSet::Deserialize(body.sliced(1));
    if (body.front() != char(AsDifferences))
        return std::nullopt;
    Reader in(body.sliced(1));
    std::vector<quint32> docs;
    quint64 doc = 0;
    while (!in.AtEnd() && docs.size() <= kMostDifferences) {
        doc += in.GetVarint();
        docs.push_back(quint32(doc));
    }
    if (!in.Ok() || doc > 0xFFFFFFFFU || docs.size() > kMostDifferences)
        return std::nullopt;
    DocSet set;
    set.AddMany(docs.data(), docs.size());
    return set;
}

QByteArray EncodeGramTable(const GramTable& table)
{
    QByteArray out;
    PutVarint(out, table.termCount);
    PutVarint(out, quint64(table.grams.size()));
    for (const auto& [id, gram] : table.grams) {
        PutVarint(out, id);
        PutBytes(out, QByteArrayView(gram.data(), qsizetype(gram.size())));
    }
    return Sealed(out);
}

std::optional<GramTable> DecodeGramTable(QByteArrayView bytes)
{
    if (bytes.size() < 4)
        return std::nullopt;
    const QByteArrayView body = bytes.first(bytes.size() - 4);
    Reader check(bytes.sliced(body.size()));
    if (check.Get<quint32>() != quint32(Digest(body)))
        return std::nullopt;
    Reader in(body);
    GramTable table;
    const quint64 terms = in.GetVarint();
    const quint64 count = in.GetVarint();
    if (!in.Ok() || terms > 0xFFFFFFFFU || count > quint64(body.size()))
        return std::nullopt;
    table.termCount = quint32(terms);
    for (quint64 i = 0; i < count && in.Ok(); ++i) {
        const quint64 id = in.GetVarint();
        const QByteArrayView gram = in.GetBytes();
        if (id >= terms || (!table.grams.empty() && id <= table.grams.back().first))
            return std::nullopt;
        table.grams.emplace_back(quint32(id), std::string(gram.data(), size_t(gram.size())));
    }
    if (!in.Ok() || !in.AtEnd())
        return std::nullopt;
    return table;
}

} // namespace IndexCoding
