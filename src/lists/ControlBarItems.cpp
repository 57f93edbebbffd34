#include "lists/ControlBarItems.h"

#include "categories/CategoryNode.h"
#include "categories/KeyWordList.h"
#include "lists/NoteSort.h"
#include "sources/CitationFormatter.h"
#include "sources/SameTitleLabel.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

#include <QHash>
#include <QMap>
#include <algorithm>

namespace {

// A top-level entry with the items below it, before flattening.
struct Entry
{
    SelectionItem item;
    QList<SelectionItem> children;
};

QList<SelectionItem> Flatten(QList<Entry> entries)
{
    StableSortByText(entries, [](const Entry& entry) { return entry.item.label; });
    QList<SelectionItem> items;
    for (Entry& entry : entries) {
        const int parent = static_cast<int>(items.size());
        items.append(entry.item);
        for (SelectionItem& child : entry.children) {
            child.parent = parent;
            items.append(child);
        }
    }
    return items;
}

SelectionItem SourceItem(const QString& label, const SourceRecord& source, const NoteDatabase& database)
{
    SelectionItem item;
    item.label = label;
    item.notes = database.NotesCiting(source.SourceId);
    item.data = source.SourceId;
    return item;
}

QString GroupLabel(const SourceRecord& source, int showBy)
{
    if (showBy == ControlBarItems::ByPublications)
        return source.Fields.value(1);
    if (showBy == ControlBarItems::ByAuthors)
        return source.AuthorsText;
    return source.Fields.value(0);
}

// The child's label: its title; under an author, a title shared with another source
// of that author (titles counts the group's titles) gains the text that tells them apart.
QString ChildLabel(const SourceRecord& source, const SourceList& group, const QHash<QString, int>& titles,
                   int showBy)
{
    const QString title = source.Fields.value(0);
    if (showBy != ControlBarItems::ByAuthors || titles.value(title) < 2)
        return title;
    return QStringLiteral("%1: %2").arg(title, SameTitleLabelUnderAuthor(source, group));
}

} // namespace

QString ControlBarItems::NoSourceLabel()
{
    return QStringLiteral("<NO_SOURCE>");
}

QList<SelectionItem> ControlBarItems::KeyWordItems(const KeyWordList& keyWords)
{
    QList<Entry> entries;
    for (int i = 0; i < keyWords.Count(); ++i) {
        Entry entry;
        entry.item.label = keyWords.At(i).word;
        entry.item.notes = keyWords.At(i).notes;
        entry.item.data = i;
        entries.append(entry);
    }
    return Flatten(entries);
}

QList<SelectionItem> ControlBarItems::SourceItems(const NoteDatabase& database, const SourceStore& sources,
                                                  int showBy)
{
    // Grouped by label in the order the source list first meets each one.
    QStringList labels;
    QHash<QString, SourceList> groups;
    for (SourceRecord source : sources.Sources()) {
        // The author list text and the date text that tells same titles apart.
        FormatCitation(source, sources.Authors());
        const QString label = GroupLabel(source, showBy);
        if (label.isEmpty())
            continue;
        if (!groups.contains(label))
            labels.append(label);
        groups[label].append(source);
    }
    QList<Entry> entries;
    for (const QString& label : labels) {
        const SourceList& group = groups.value(label);
        Entry entry;
        if (showBy == ByTitles && group.size() == 1) {
            entry.item = SourceItem(label, group.first(), database);
        } else {
            entry.item.label = label;
            entry.item.group = true;
            QHash<QString, int> titles;
            for (const SourceRecord& source : group)
                ++titles[source.Fields.value(0)];
            for (const SourceRecord& source : group)
                entry.children.append(
                    SourceItem(ChildLabel(source, group, titles, showBy), source, database));
        }
        entries.append(entry);
    }
    Entry none;
    none.item.label = NoSourceLabel();
    none.item.notes = database.NoSourceNoteIds();
    none.item.data = UNASSIGNED_CATEGORY_ID;
    entries.append(none);
    return Flatten(entries);
}
