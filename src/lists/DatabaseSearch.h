#pragma once

#include "lists/SearchQuery.h"
#include "store/ListedNote.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class SearchIndex;

// The two scopes of a search, over the notes of the current list and over every note
// file. Both read the note files file by file, so each file is read once, and give their
// finds as listed notes: keys and highlight, never the texts.

// Every matching note of the given note files, file after file in the given order and
// each file's notes in file order; unreadable files give nothing. With the text
// "SHOWALL" every note of every file, without highlighting. Otherwise the query is parsed
// again from its text, showing nothing, and a query without terms finds nothing.
// A found note whose id is in held (notes the caller already lists) comes back as its id
// and highlight only.
ListedNotes SearchDatabase(const SearchQuery& query, const QStringList& noteFilePaths,
                           const QSet<qint32>& held = {});

// The notes of list that match the query as given (no "SHOWALL" rule: the word is
// searched like any other), as their ids and highlights, in list order; filesOfList are
// the note files that hold them. Nothing when the query has no terms.
ListedNotes FilterListedNotes(const SearchQuery& query, const ListedNotes& list,
                              const QStringList& filesOfList);

// The same two searches answered from the kept index, with the same notes in the same
// order: noteFileNames are the bare names of every note file, in listing order (the
// index is first brought in step with them). None when the index cannot answer; the
// caller then reads the files.
std::optional<ListedNotes> SearchDatabaseIndexed(const SearchQuery& query, SearchIndex& index,
                                                 const QStringList& noteFileNames,
                                                 const QSet<qint32>& held = {});
// filesOfList: the bare names of the note files that hold the listed notes.
std::optional<ListedNotes> FilterListedNotesIndexed(const SearchQuery& query, const ListedNotes& list,
                                                    SearchIndex& index, const QStringList& noteFileNames,
                                                    const QStringList& filesOfList);
