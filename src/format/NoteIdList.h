#pragma once

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QtGlobal>
#include <initializer_list>

class FieldWriter;
class FieldReader;

// An ordered list of note ids. The database, the category trees, the key word list and
// the current list exchange sets of notes in this form; order matters and ids may repeat
// unless the caller uses the add-if-absent form.
//
// A long list keeps a count of each id beside it, so that add-if-absent and contains stay
// constant-time on a category of 100,000 notes. The counts are made by the first question
// that needs them, so that the load's plain appends cost no hashing at all. Short lists
// do without: a scan of a few ids is cheaper than a hash.
class NoteIdList
{
public:
    NoteIdList() = default;
    NoteIdList(std::initializer_list<qint32> ids);
    explicit NoteIdList(QList<qint32> ids);

    void Append(qint32 id);
    // Appends at the end unless already present; true when it added.
    bool AddIfAbsent(qint32 id);
    // Removes every occurrence; true when any was removed.
    bool RemoveAll(qint32 id);
    // Removes every occurrence of each id of ids in one pass; true when any was removed.
    bool RemoveAll(const NoteIdList& ids);
    // The ids of this list, in order, that ids does not hold.
    NoteIdList Without(const NoteIdList& ids) const;
    bool Contains(qint32 id) const;
    int CountOf(qint32 id) const;
    // 0 when index is out of range.
    qint32 At(int index) const;
    // Does nothing when index is out of range.
    void ReplaceAt(int index, qint32 id);
    // Appends, in other's order, each id of other not yet present here.
    void UnionAppend(const NoteIdList& other);
    void Clear();
    int Count() const { return static_cast<int>(m_ids.size()); }
    bool IsEmpty() const { return m_ids.isEmpty(); }

    // Integer count, then one Integer per id.
    void Write(FieldWriter& writer) const;
    // Reads a count and that many ids; a negative count reads as empty, and a count
    // larger than the rest of the stream stops where the stream ends.
    void Read(FieldReader& reader);

    // The ids in order, as a JSON array of numbers.
    QJsonArray ToJson() const;

    const QList<qint32>& Ids() const { return m_ids; }
    QList<qint32>::const_iterator begin() const { return m_ids.begin(); }
    QList<qint32>::const_iterator end() const { return m_ids.end(); }

    friend bool operator==(const NoteIdList& a, const NoteIdList& b) { return a.m_ids == b.m_ids; }

private:
    // Lists shorter than this are scanned instead of indexed.
    static constexpr qsizetype kIndexThreshold = 32;

    // True when the counts are kept, after building them if the list is long.
    bool IndexIfLong() const;
    void BuildIndex() const;

    QList<qint32> m_ids;
    // Occurrences of each id; kept only while m_indexed is true.
    mutable QHash<qint32, int> m_counts;
    mutable bool m_indexed = false;
};
