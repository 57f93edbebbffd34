#include "categories/NoteIdList.h"

#include "store/FieldFormat.h"
#include "store/FieldReader.h"
#include "store/FieldWriter.h"

#include <QSet>

bool NoteIdList::AddIfAbsent(qint32 id)
{
    if (m_ids.contains(id))
        return false;
    m_ids.append(id);
    return true;
}

bool NoteIdList::RemoveAll(qint32 id)
{
    return m_ids.removeAll(id) > 0;
}

qint32 NoteIdList::At(int index) const
{
    return (index >= 0 && index < m_ids.size()) ? m_ids.at(index) : 0;
}

void NoteIdList::ReplaceAt(int index, qint32 id)
{
    if (index >= 0 && index < m_ids.size())
        m_ids[index] = id;
}

void NoteIdList::UnionAppend(const NoteIdList& other)
{
    // A set keeps the union linear for the long lists of a large database.
    QSet<qint32> present(m_ids.begin(), m_ids.end());
    for (qint32 id : other.m_ids) {
        if (!present.contains(id)) {
            present.insert(id);
            m_ids.append(id);
        }
    }
}

void NoteIdList::Write(FieldWriter& writer) const
{
    writer.WriteInt(static_cast<qint32>(m_ids.size()));
    for (qint32 id : m_ids)
        writer.WriteInt(id);
}

void NoteIdList::Read(FieldReader& reader)
{
    m_ids.clear();
    const qint32 count = reader.ReadInt();
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        m_ids.append(reader.ReadInt());
}
