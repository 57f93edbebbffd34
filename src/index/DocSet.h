#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <vector>

struct roaring_bitmap_s;

// A set of document numbers of the search index, kept compressed (a roaring bitmap): the
// notes that hold a word, the notes that match. Owns its bitmap; copies copy it.
class DocSet
{
public:
    DocSet();
    ~DocSet();
    DocSet(const DocSet& other);
    DocSet& operator=(const DocSet& other);
    DocSet(DocSet&& other) noexcept;
    DocSet& operator=(DocSet&& other) noexcept;

    // The numbers from..to-1.
    static DocSet Range(quint32 from, quint32 to);
    // Reads the stored form written by Serialize; none when the bytes are not one (a
    // damaged cache), whatever they hold.
    static std::optional<DocSet> Deserialize(QByteArrayView bytes);
    QByteArray Serialize() const;

    void Add(quint32 doc);
    void AddMany(const quint32* docs, size_t count);
    void Remove(quint32 doc);
    bool Contains(quint32 doc) const;
    quint64 Count() const;
    bool IsEmpty() const;
    quint32 Max() const; // 0 when empty

    DocSet& operator|=(const DocSet& other);
    DocSet& operator&=(const DocSet& other);
    DocSet& operator-=(const DocSet& other);
    friend DocSet operator|(const DocSet& a, const DocSet& b);
    friend DocSet operator&(const DocSet& a, const DocSet& b);
    friend DocSet operator-(const DocSet& a, const DocSet& b);
    friend bool operator==(const DocSet& a, const DocSet& b);

    // The union of many sets at once, faster than adding them one by one.
    static DocSet Union(const std::vector<const DocSet*>& sets);

    // The numbers in ascending order.
    std::vector<quint32> ToVector() const;
    // Calls visit(doc) in ascending order until it returns false.
    template<class Visit> void ForEach(Visit visit) const;

    // Packs runs of numbers: call after many additions.
    void Optimize();

private:
    explicit DocSet(roaring_bitmap_s* bitmap);
    void Iterate(bool (*visit)(quint32, void*), void* context) const;

    roaring_bitmap_s* m_bitmap;
};

template<class Visit> void DocSet::ForEach(Visit visit) const
{
    Iterate([](quint32 value, void* context) { return (*static_cast<Visit*>(context))(value); }, &visit);
}
