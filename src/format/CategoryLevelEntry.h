#pragma once

#include <QString>
#include <QStringList>

// The name that stands for "no category at this level".
inline QString UnassignedCategoryName()
{
    return QStringLiteral("<UNASSIGNED>");
}

// One level of a note's category path. Stored as Integer level, Text name, Text parent
// name; ancestorPath is derived from the other entries and never stored.
struct CategoryLevelEntry
{
    qint32 level = -1; // 0..3 for Level 1..4, -1 in a blank entry
    QString name = UnassignedCategoryName();
    QString parentName = UnassignedCategoryName();
    QStringList ancestorPath;

    bool IsAssigned() const { return name != UnassignedCategoryName(); }
    // Blank again; keeps level when asked to.
    void Reset(bool keepLevel);

    friend bool operator==(const CategoryLevelEntry& a, const CategoryLevelEntry& b)
    {
        return a.level == b.level && a.name == b.name && a.parentName == b.parentName;
    }
};
