#pragma once

#include "format/NoteRecord.h"
#include "lists/SearchQuery.h"

#include <QSet>
#include <QString>
#include <QStringList>

// The two scopes of a search, over notes in memory and over every note file.

// Copies of the notes of list that match (each with its search Highlight), in list
// order. Nothing when the query has no terms.
NotesList FilterNotes(const SearchQuery& query, const NotesList& list);

// Every matching note of the given note files, file after file in the given order and
// each file's notes in file order; unreadable files give nothing. With the text
// "SHOWALL" every note of every file, without highlighting. Otherwise the query is parsed
// again from its text, showing nothing, and a query without terms finds nothing.
// A found note whose id is in held (notes the caller already has whole, the current list)
// comes back as its id and highlight only, so a search never holds a second copy of them.
NotesList SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths,
                         const QSet<qint32>& held = {});
