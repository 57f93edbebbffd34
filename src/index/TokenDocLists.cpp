#include "index/TokenDocLists.h"

namespace TokenDocListsCoding {

void AppendVarint(std::string& out, quint32 value)
{
    while (value >= 0x80) {
        out.push_back(char(value | 0x80));
        value >>= 7;
    }
    out.push_back(char(value));
}

void SetBit(std::string& bitmap, quint32 doc)
{
    const size_t byte = doc / 8;
    if (byte >= bitmap.size())
        bitmap.resize(byte + 1, '\0');
    bitmap[byte] = char(static_cast<unsigned char>(bitmap[byte]) | (1U << (doc % 8)));
}

std::vector<quint32> DecodeBitmap(std::string_view bitmap)
{
    std::vector<quint32> docs;
    for (size_t byte = 0; byte < bitmap.size(); ++byte) {
        const auto bits = static_cast<unsigned char>(bitmap[byte]);
        for (unsigned bit = 0; bits >> bit; ++bit) {
            if (bits & (1U << bit))
                docs.push_back(quint32(byte * 8 + bit));
        }
    }
    return docs;
}

} // namespace TokenDocListsCoding

using namespace TokenDocListsCoding;
using IndexCoding::DecodeDifferences;

void TokenDocLists::Add(quint32 token, quint32 doc)
{
    if (token >= m_lists.size()) {
        m_lists.resize(size_t(token) + 1);
        m_bitmap.resize(size_t(token) + 1, false);
    }
    List& list = m_lists[token];
    if (m_bitmap[token]) {
        SetBit(list.bytes, doc);
    } else {
        AppendVarint(list.bytes, doc - list.last);
        // Past the few, a bitmap to the last document once it is the smaller.
        if (list.count >= kMostFew && list.bytes.size() > doc / 8 + 1) {
            list.last = doc;
            MakeBitmap(token);
        }
    }
    list.last = doc;
    ++list.count;
}

void TokenDocLists::MakeBitmap(quint32 token)
{
    List& list = m_lists[token];
    std::string bitmap;
    bitmap.reserve(list.last / 8 + 1);
    for (const quint32 doc : DecodeDifferences(list.bytes))
        SetBit(bitmap, doc);
    list.bytes.swap(bitmap);
    m_bitmap[token] = true;
}

std::string_view TokenDocLists::Differences(quint32 token) const
{
    return m_bitmap[token] ? std::string_view() : std::string_view(m_lists[token].bytes);
}

DocSet TokenDocLists::TakeSet(quint32 token)
{
    const std::string& bytes = m_lists[token].bytes;
    const std::vector<quint32> docs = m_bitmap[token] ? DecodeBitmap(bytes) : DecodeDifferences(bytes);
    DocSet set;
    set.AddMany(docs.data(), docs.size());
    Release(token);
    return set;
}

void TokenDocLists::Release(quint32 token)
{
    std::string().swap(m_lists[token].bytes);
    m_bitmap[token] = false;
}
