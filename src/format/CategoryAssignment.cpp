#include "format/CategoryAssignment.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/NoteRecordWalker.h"

CategoryAssignment::CategoryAssignment()
{
    ResetToDefault();
}

const CategoryLevelEntry* CategoryAssignment::FindEntry(int level) const
{
    for (const CategoryLevelEntry& entry : entries) {
        if (entry.level == level)
            return &entry;
    }
    return nullptr;
}

CategoryLevelEntry* CategoryAssignment::FindEntry(int level)
{
    for (CategoryLevelEntry& entry : entries) {
        if (entry.level == level)
            return &entry;
    }
    return nullptr;
}

QString CategoryAssignment::NameAt(int level) const
{
    const CategoryLevelEntry* entry = FindEntry(level);
    return entry ? entry->name : UnassignedCategoryName();
}

int CategoryAssignment::AssignedLevelCount() const
{
    int count = 0;
    for (const CategoryLevelEntry& entry : entries)
        count += entry.IsAssigned() ? 1 : 0;
    return count;
}

void CategoryAssignment::ResetToDefault()
{
    // Every blank path shares one list until it is changed: a list of a hundred thousand
    // notes makes as many blank paths before it fills them in.
    static const QList<CategoryLevelEntry> blank = [] {
        QList<CategoryLevelEntry> levels;
        for (int level = 0; level < 4; ++level) {
            CategoryLevelEntry entry;
            entry.level = level;
            levels.append(entry);
        }
        return levels;
    }();
    entries = blank;
}

void CategoryAssignment::ResetBelow(int level)
{
    for (CategoryLevelEntry& entry : entries) {
        if (entry.level > level)
            entry.Reset(true);
    }
}

void CategoryAssignment::RebuildPaths()
{
    QStringList collected;
    for (int level = 0; level < 4; ++level) {
        CategoryLevelEntry* entry = FindEntry(level);
        if (!entry)
            continue;
        entry->ancestorPath = collected;
        collected.append(entry->name);
    }
}

bool CategoryAssignment::CategoryLess(const CategoryAssignment& a, const CategoryAssignment& b)
{
    for (int level = 0; level < 4; ++level) {
        // Case-insensitive comparison folds to lower case, so "_" still sorts before
        // letters as it does between lower-cased texts.
        const int order = QString::compare(a.NameAt(level), b.NameAt(level), Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
    }
    return false;
}

void CategoryAssignment::Write(FieldWriter& writer) const
{
    writer.WriteInt(static_cast<qint32>(entries.size()));
    for (const CategoryLevelEntry& entry : entries) {
        writer.WriteInt(entry.level);
        writer.WriteText(entry.name);
        writer.WriteText(entry.parentName);
    }
}

void CategoryAssignment::Read(FieldReader& reader)
{
    FieldScan::Cursor fields = reader.Fields();
    ReadCategoryList(fields, *this);
    reader.SetPosition(fields.pos);
}
