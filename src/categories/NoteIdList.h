#pragma once

#include <QList>
#include <QtGlobal>

class FieldWriter;
class FieldReader;

// An ordered list of note ids. The database, the category trees, the key word list and
// the current list exchange sets of notes in this form; order matters and ids may repeat
// unless the caller uses the add-if-absent form.
class NoteIdList
{
public:
    NoteIdList() = default;
    NoteIdList(std::initializer_list<qint32> ids)
        : m_ids(ids)
    {
    }

    void Append(qint32 id) { m_ids.append(id); }
    // Appends at the end unless already present; true when it added.
    bool AddIfAbsent(qint32 id);
    // Removes every occurrence; true when any was removed.
    bool RemoveAll(qint32 id);
    bool Contains(qint32 id) const { return m_ids.contains(id); }
    int CountOf(qint32 id) const { return static_cast<int>(m_ids.count(id)); }
    // 0 when index is out of range.
    qint32 At(int index) const;
    void ReplaceAt(int index, qint32 id);
    // Appends, in other's order, each id of other not yet present here.
    void UnionAppend(const NoteIdList& other);
    void Clear() { m_ids.clear(); }
    int Count() const { return static_cast<int>(m_ids.size()); }
    bool IsEmpty() const { return m_ids.isEmpty(); }

    // Integer count, then one Integer per id.
    void Write(FieldWriter& writer) const;
    // Reads a count and that many ids; a negative count reads as empty, and a count
    // larger than the rest of the stream stops where the stream ends.
    void Read(FieldReader& reader);

    const QList<qint32>& Ids() const { return m_ids; }
    QList<qint32>::const_iterator begin() const { return m_ids.begin(); }
    QList<qint32>::const_iterator end() const { return m_ids.end(); }

    friend bool operator==(const NoteIdList&, const NoteIdList&) = default;

private:
    QList<qint32> m_ids;
};
