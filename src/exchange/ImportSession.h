#pragma once

#include "exchange/ImportComparison.h"
#include "format/NoteRecord.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

// One incoming note of an import, with its comparison against the database.
struct ImportItem
{
    NoteRecord note; // AttachedSource holds the source read with it
    // Whether note holds its PlainText and RichText; when not, the session reads them
    // again where they are wanted (see SetTextReaders).
    bool textsHeld = true;
    ImportComparison comparison = ImportComparison::New;
    int existingIndex = -1; // the database note of the same NoteGUID in DatabaseNotes(), or -1

    // 11 new, 22 exists.
    int ImportStatus() const { return ImportStatusCode(comparison); }
};

// What the import dialog works on: the incoming notes in file order, each compared with
// the database notes (the first database note with the same NoteGUID, compared exactly).
// The dialog may change incoming notes (edit them, override their categories); the
// database notes are only read.
class ImportSession
{
public:
    ImportSession(NotesList incoming, NotesList databaseNotes);

    const QList<ImportItem>& Items() const { return m_items; }
    QList<ImportItem>& Items() { return m_items; }
    int Count() const { return int(m_items.size()); }
    const NotesList& DatabaseNotes() const { return m_database; }
    // The database note an item replaces, or nullptr for a new note.
    const NoteRecord* ExistingNote(int index) const;

    // An import of many notes holds them without their texts: incoming reads the texts of
    // an incoming note (by item index) into a copy of it, existing makes a copy of a
    // database note (by index in DatabaseNotes()) whole. Every item is then taken as not
    // holding its texts.
    using TextReader = std::function<void(int index, NoteRecord& note)>;
    void SetTextReaders(TextReader incoming, TextReader existing);
    // Puts the texts of item index into note (a copy of its note) when the item does not
    // hold them.
    void FillTexts(int index, NoteRecord& note) const;
    // The item's note with its texts.
    NoteRecord FullNote(int index) const;
    // The database note an item replaces, whole; none for a new note.
    std::optional<NoteRecord> FullExistingNote(int index) const;

    // " 1. - <NEW NOTE>" etc., numbered by place in the import list.
    QString StatusText(int index) const { return ImportStatusText(index + 1, m_items.at(index).comparison); }
    // The rows the list shows: every item, or every item but the same ones.
    QList<int> ListedRows(bool showSameNotes) const;

    // An edited copy of an item's note replaces it (the "View/Edit Import Note" Save):
    // a same or older note becomes newer.
    void ReplaceNote(int index, const NoteRecord& edited);

    // Texts of the category override's drop-down.
    static QString DoNotModify() { return QStringLiteral("<DO NOT MODIFY>"); }
    static QString SetUnassigned() { return QStringLiteral("<SET UNASSIGNED>"); }
    // "Apply category change": levels[i] is the choice for level i + 1 (up to four; a
    // missing or empty choice means the level has no entry and is left alone).
    // <DO NOT MODIFY> keeps the note's name at that level, <SET UNASSIGNED> makes it
    // "<UNASSIGNED>", any other text replaces it. Each level's parent becomes the
    // resulting name above it ("<UNASSIGNED>" for level 1), and every level below an
    // unassigned one becomes unassigned. A note whose categories changed gets LastEdited
    // = now and, when it was same or older, becomes newer. Returns the number of notes
    // changed.
    int ApplyCategoryOverride(const QList<int>& rows, const QStringList& levels, const DateTime& now);

private:
    const NoteRecord* ExistingNoteAt(int databaseIndex) const;
    void MarkChanged(int index);

    QList<ImportItem> m_items;
    NotesList m_database;
    TextReader m_incomingTexts;
    TextReader m_existingTexts;
};

// Applies the override choice to one note's categories; true when any level changed.
bool OverrideCategories(CategoryAssignment& categories, const QStringList& levels);
