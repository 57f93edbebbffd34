#include "exchange/ImportSession.h"

#include "format/CategoryLevelEntry.h"

ImportSession::ImportSession(NotesList incoming, NotesList databaseNotes)
    : m_database(std::move(databaseNotes))
{
    QHash<QString, int> byGuid;
    byGuid.reserve(m_database.size());
    for (int i = int(m_database.size()) - 1; i >= 0; --i)
        byGuid.insert(m_database.at(i).NoteGUID, i); // the first match wins
    m_items.reserve(incoming.size());
    for (NoteRecord& note : incoming) {
        ImportItem item;
        item.existingIndex = byGuid.value(note.NoteGUID, -1);
        item.comparison = CompareImportNote(note, ExistingNoteAt(item.existingIndex));
        item.note = std::move(note);
        m_items.append(std::move(item));
    }
}

const NoteRecord* ImportSession::ExistingNoteAt(int databaseIndex) const
{
    return databaseIndex >= 0 ? &m_database.at(databaseIndex) : nullptr;
}

const NoteRecord* ImportSession::ExistingNote(int index) const
{
    return ExistingNoteAt(m_items.at(index).existingIndex);
}

void ImportSession::SetTextReaders(TextReader incoming, TextReader existing)
{
    m_incomingTexts = std::move(incoming);
    m_existingTexts = std::move(existing);
    for (ImportItem& item : m_items)
        item.textsHeld = false;
}

void ImportSession::FillTexts(int index, NoteRecord& note) const
{
    if (!m_items.at(index).textsHeld && m_incomingTexts)
        m_incomingTexts(index, note);
}

NoteRecord ImportSession::FullNote(int index) const
{
    NoteRecord note = m_items.at(index).note;
    FillTexts(index, note);
    return note;
}

std::optional<NoteRecord> ImportSession::FullExistingNote(int index) const
{
    const int databaseIndex = m_items.at(index).existingIndex;
    if (databaseIndex < 0)
        return std::nullopt;
    NoteRecord note = m_database.at(databaseIndex);
    if (m_existingTexts)
        m_existingTexts(databaseIndex, note);
    return note;
}

QList<int> ImportSession::ListedRows(bool showSameNotes) const
{
    QList<int> rows;
    for (int i = 0; i < Count(); ++i) {
        if (showSameNotes || m_items.at(i).comparison != ImportComparison::Same)
            rows.append(i);
    }
    return rows;
}

void ImportSession::MarkChanged(int index)
{
    ImportComparison& comparison = m_items[index].comparison;
    if (comparison == ImportComparison::Same || comparison == ImportComparison::Older)
        comparison = ImportComparison::Newer;
}

void ImportSession::ReplaceNote(int index, const NoteRecord& edited)
{
    m_items[index].note = edited;
    m_items[index].textsHeld = true;
    MarkChanged(index);
}

int ImportSession::ApplyCategoryOverride(const QList<int>& rows, const QStringList& levels,
                                         const DateTime& now)
{
    int changed = 0;
    for (int row : rows) {
        if (row < 0 || row >= Count())
            continue;
        if (!OverrideCategories(m_items[row].note.Categories, levels))
            continue;
        m_items[row].note.LastEdited = now;
        MarkChanged(row);
        ++changed;
    }
    return changed;
}

bool OverrideCategories(CategoryAssignment& categories, const QStringList& levels)
{
    const QString unassigned = UnassignedCategoryName();
    QStringList before;
    for (int level = 0; level < 4; ++level)
        before.append(categories.NameAt(level));
    bool aboveUnassigned = false;
    QString parent = unassigned;
    for (int level = 0; level < 4; ++level) {
        const QString choice = level < levels.size() ? levels.at(level) : QString();
        CategoryLevelEntry* entry = categories.FindEntry(level);
        QString name = entry != nullptr ? entry->name : unassigned;
        if (choice == ImportSession::SetUnassigned())
            name = unassigned;
        else if (!choice.isEmpty() && choice != ImportSession::DoNotModify())
            name = choice;
        if (aboveUnassigned)
            name = unassigned;
        aboveUnassigned = aboveUnassigned || name == unassigned;
        if (entry == nullptr) {
            if (name == unassigned && choice.isEmpty())
                continue; // a level the choice does not touch keeps having no entry
            CategoryLevelEntry added;
            added.level = level;
            categories.entries.append(added);
            entry = &categories.entries.last();
        }
        entry->name = name;
        entry->parentName = parent;
        parent = name;
    }
    categories.RebuildPaths();
    for (int level = 0; level < 4; ++level) {
        if (categories.NameAt(level) != before.at(level))
            return true;
    }
    return false;
}
