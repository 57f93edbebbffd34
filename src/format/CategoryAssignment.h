#pragma once

#include "format/CategoryLevelEntry.h"

#include <QList>
#include <QRect>
#include <array>

class FieldWriter;
class FieldReader;

// A note's category path: entries looked up by their level field (first match in list
// order), never by position. A level with no entry counts as unassigned.
class CategoryAssignment
{
public:
    // Four blank entries for levels 0 to 3.
    CategoryAssignment();

    QList<CategoryLevelEntry> entries;
    // Where the note view drew each name, for hit-testing; display state only, never
    // stored or compared.
    std::array<QRect, 5> screenRects {};

    // The first entry of that level, or nullptr.
    const CategoryLevelEntry* FindEntry(int level) const;
    CategoryLevelEntry* FindEntry(int level);
    // The name at a level; a level with no entry reads as "<UNASSIGNED>".
    QString NameAt(int level) const;
    int AssignedLevelCount() const;
    bool IsUnassigned() const { return AssignedLevelCount() == 0; }
    void ResetToDefault();
    // Every entry of a deeper level becomes blank, keeping its level.
    void ResetBelow(int level);
    // Gives each entry of levels 0..3 the names of the levels above it.
    void RebuildPaths();

    // The order of "Categories: A to Z": level by level, names compared without regard
    // to case; the first level that differs decides. "<UNASSIGNED>" sorts before any
    // name starting with a letter, so unfiled levels come first.
    static bool CategoryLess(const CategoryAssignment& a, const CategoryAssignment& b);

    // Integer count, then Integer level, Text name, Text parent name per entry.
    void Write(FieldWriter& writer) const;
    // Empties the list (no default entries) and appends the entries read. A count that
    // is negative reads none; one larger than the stream stops at its end.
    void Read(FieldReader& reader);

    friend bool operator==(const CategoryAssignment& a, const CategoryAssignment& b)
    {
        return a.entries == b.entries;
    }
};
