#include "format/NoteIdList.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"

NoteIdList::NoteIdList(std::initializer_list<qint32> ids)
    : m_ids(ids)
{
}

NoteIdList::NoteIdList(QList<qint32> ids)
    : m_ids(std::move(ids))
{
}

void NoteIdList::Append(qint32 id)
{
    m_ids.append(id);
    if (m_indexed)
        ++m_counts[id];
}

bool NoteIdList::AddIfAbsent(qint32 id)
{
    if (Contains(id))
        return false;
    Append(id);
    return true;
}

bool NoteIdList::RemoveAll(qint32 id)
{
    if (IndexIfLong()) {
        const auto found = m_counts.constFind(id);
        if (found == m_counts.cend())
            return false;
        const int count = *found;
        m_counts.erase(found);
        // The usual single occurrence: one search and one shift instead of a full pass.
        if (count == 1) {
            m_ids.removeAt(m_ids.indexOf(id));
            return true;
        }
    }
    return m_ids.removeAll(id) > 0;
}

bool NoteIdList::RemoveAll(const NoteIdList& ids)
{
    if (ids.IsEmpty() || IsEmpty())
        return false;
    NoteIdList kept = Without(ids);
    if (kept.Count() == Count())
        return false;
    *this = std::move(kept);
    return true;
}

NoteIdList NoteIdList::Without(const NoteIdList& ids) const
{
    if (ids.IsEmpty())
        return *this;
    QList<qint32> kept;
    kept.reserve(m_ids.size());
    for (qint32 id : m_ids) {
        if (!ids.Contains(id))
            kept.append(id);
    }
    return NoteIdList(std::move(kept));
}

bool NoteIdList::Contains(qint32 id) const
{
    return IndexIfLong() ? m_counts.contains(id) : m_ids.contains(id);
}

int NoteIdList::CountOf(qint32 id) const
{
    return IndexIfLong() ? m_counts.value(id, 0) : static_cast<int>(m_ids.count(id));
}

qint32 NoteIdList::At(int index) const
{
    return (index >= 0 && index < m_ids.size()) ? m_ids.at(index) : 0;
}

void NoteIdList::ReplaceAt(int index, qint32 id)
{
    if (index < 0 || index >= m_ids.size())
        return;
    if (m_indexed) {
        const qint32 old = m_ids.at(index);
        if (--m_counts[old] == 0)
            m_counts.remove(old);
        ++m_counts[id];
    }
    m_ids[index] = id;
}

void NoteIdList::UnionAppend(const NoteIdList& other)
{
    if (other.IsEmpty())
        return;
    // The union of two long lists must not scan one for every id of the other.
    if (!m_indexed && m_ids.size() + other.m_ids.size() >= kIndexThreshold)
        BuildIndex();
    for (qint32 id : other.m_ids)
        AddIfAbsent(id);
}

void NoteIdList::Clear()
{
    m_ids.clear();
    m_counts.clear();
    m_indexed = false;
}

void NoteIdList::Write(FieldWriter& writer) const
{
    writer.WriteInt(static_cast<qint32>(m_ids.size()));
    for (qint32 id : m_ids)
        writer.WriteInt(id);
}

void NoteIdList::Read(FieldReader& reader)
{
    Clear();
    const qint32 count = reader.ReadInt();
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        m_ids.append(reader.ReadInt());
}

QJsonArray NoteIdList::ToJson() const
{
    QJsonArray array;
    for (qint32 id : m_ids)
        array.append(id);
    return array;
}

bool NoteIdList::IndexIfLong() const
{
    if (!m_indexed && m_ids.size() >= kIndexThreshold)
        BuildIndex();
    return m_indexed;
}

void NoteIdList::BuildIndex() const
{
    m_counts.clear();
    m_counts.reserve(m_ids.size());
    for (qint32 id : m_ids)
        ++m_counts[id];
    m_indexed = true;
}
