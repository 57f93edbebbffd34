#pragma once

#include "format/DateTime.h"

#include <QList>
#include <QPair>
#include <QString>

class CurrentNotesList;
class NoteDatabase;
class SearchIndex;
class SourceStore;
class TextMatcher;

// What the search field shows while the user types, before any search is run: how many
// notes the query would find and the first of them, from the kept index. Nothing in the
// database or the current list changes.
struct SearchPreview
{
    enum class Status
    {
        Empty, // nothing typed
        Invalid, // both operators: message holds the search's own refusal
        NotReady, // the index is being built or cannot be used: press Enter to search
        Ready,
    };

    struct Hit
    {
        qint32 noteId = 0;
        // The line shown for it (MakePreviewLine), and the hits in it as (start, length).
        QString line;
        QList<QPair<int, int>> hits;
        QString sourceTitle; // empty for a note without a source
        DateTime dateAdded;
    };

    Status status = Status::Empty;
    QString message;
    int count = 0; // the notes the search would find
    QList<Hit> hits; // the first of them, in the order the search finds them
};

// Where a preview looks: the notes, their sources (for the titles shown), the current list
// and the kept index.
struct PreviewScope
{
    const NoteDatabase& database;
    const SourceStore& sources;
    const CurrentNotesList& current;
    SearchIndex& index;
};

// The preview of text (trimmed, then parsed as the search parses it) in the database, or
// with currentNotes among the notes of the current list; at most limit hits.
SearchPreview PreviewSearch(const QString& text, const PreviewScope& scope, bool currentNotes,
                            int limit = 20);

// The line a hit shows (at most a few dozen characters, what the drop-down's width holds):
// the start of the note's first line as shown when the first hit lies in it, else the
// start of that line, " ... " and the words around the first hit (up to the line break
// after it); hits receives the hits in that line as (start, length).
void MakePreviewLine(const QString& shown, const TextMatcher& rules, QString* line,
                     QList<QPair<int, int>>* hits);

// "Building the search index..." while it is built.
QString PreviewNotReadyText();
