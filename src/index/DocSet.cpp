#include "index/DocSet.h"

#include <roaring/roaring.h>
#include <utility>

DocSet::DocSet()
    : m_bitmap(roaring_bitmap_create())
{
}

DocSet::DocSet(roaring_bitmap_s* bitmap)
    : m_bitmap(bitmap)
{
}

DocSet::~DocSet()
{
    if (m_bitmap)
        roaring_bitmap_free(m_bitmap);
}

DocSet::DocSet(const DocSet& other)
    : m_bitmap(roaring_bitmap_copy(other.m_bitmap))
{
}

DocSet& DocSet::operator=(const DocSet& other)
{
    if (this != &other) {
        DocSet copy(other);
        std::swap(m_bitmap, copy.m_bitmap);
    }
    return *this;
}

DocSet::DocSet(DocSet&& other) noexcept
    : m_bitmap(std::exchange(other.m_bitmap, roaring_bitmap_create()))
{
}

DocSet& DocSet::operator=(DocSet&& other) noexcept
{
    std::swap(m_bitmap, other.m_bitmap);
    return *this;
}

DocSet DocSet::Range(quint32 from, quint32 to)
{
    if (to <= from)
        return DocSet();
    return DocSet(roaring_bitmap_from_range(from, to, 1));
}

std::optional<DocSet> DocSet::Deserialize(QByteArrayView bytes)
{
    const size_t size = static_cast<size_t>(bytes.size());
    // The size the header claims must be the size stored: a cut or padded blob is damage.
    if (size == 0 || roaring_bitmap_portable_deserialize_size(bytes.data(), size) != size)
        return std::nullopt;
    roaring_bitmap_t* bitmap = roaring_bitmap_portable_deserialize_safe(bytes.data(), size);
    if (!bitmap)
        return std::nullopt;
    return DocSet(bitmap);
}

QByteArray DocSet::Serialize() const
{
    QByteArray bytes(qsizetype(roaring_bitmap_portable_size_in_bytes(m_bitmap)), Qt::Uninitialized);
    roaring_bitmap_portable_serialize(m_bitmap, bytes.data());
    return bytes;
}

void DocSet::Add(quint32 doc)
{
    roaring_bitmap_add(m_bitmap, doc);
}

void DocSet::AddMany(const quint32* docs, size_t count)
{
    roaring_bitmap_add_many(m_bitmap, count, docs);
}

void DocSet::Remove(quint32 doc)
{
    roaring_bitmap_remove(m_bitmap, doc);
}

bool DocSet::Contains(quint32 doc) const
{
    return roaring_bitmap_contains(m_bitmap, doc);
}

quint64 DocSet::Count() const
{
    return roaring_bitmap_get_cardinality(m_bitmap);
}

bool DocSet::IsEmpty() const
{
    return roaring_bitmap_is_empty(m_bitmap);
}

quint32 DocSet::Max() const
{
    return IsEmpty() ? 0 : roaring_bitmap_maximum(m_bitmap);
}

DocSet& DocSet::operator|=(const DocSet& other)
{
    roaring_bitmap_or_inplace(m_bitmap, other.m_bitmap);
    return *this;
}

DocSet& DocSet::operator&=(const DocSet& other)
{
    roaring_bitmap_and_inplace(m_bitmap, other.m_bitmap);
    return *this;
}

DocSet& DocSet::operator-=(const DocSet& other)
{
    roaring_bitmap_andnot_inplace(m_bitmap, other.m_bitmap);
    return *this;
}

DocSet operator|(const DocSet& a, const DocSet& b)
{
    return DocSet(roaring_bitmap_or(a.m_bitmap, b.m_bitmap));
}

DocSet operator&(const DocSet& a, const DocSet& b)
{
    return DocSet(roaring_bitmap_and(a.m_bitmap, b.m_bitmap));
}

DocSet operator-(const DocSet& a, const DocSet& b)
{
    return DocSet(roaring_bitmap_andnot(a.m_bitmap, b.m_bitmap));
}

bool operator==(const DocSet& a, const DocSet& b)
{
    return roaring_bitmap_equals(a.m_bitmap, b.m_bitmap);
}

DocSet DocSet::Union(const std::vector<const DocSet*>& sets)
{
    if (sets.empty())
        return DocSet();
    std::vector<const roaring_bitmap_t*> bitmaps;
    bitmaps.reserve(sets.size());
    for (const DocSet* set : sets)
        bitmaps.push_back(set->m_bitmap);
    return DocSet(roaring_bitmap_or_many(bitmaps.size(), bitmaps.data()));
}

std::vector<quint32> DocSet::ToVector() const
{
    std::vector<quint32> docs(static_cast<size_t>(Count()));
    roaring_bitmap_to_uint32_array(m_bitmap, docs.data());
    return docs;
}

void DocSet::Optimize()
{
    roaring_bitmap_run_optimize(m_bitmap);
    roaring_bitmap_shrink_to_fit(m_bitmap);
}

void DocSet::Iterate(bool (*visit)(quint32, void*), void* context) const
{
    roaring_iterate(m_bitmap, visit, context);
}
