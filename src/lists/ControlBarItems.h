#pragma once

#include "categories/ItemSelection.h"

class KeyWordList;
class NoteDatabase;
class SourceStore;

// The items of the control bar's Key Words and Sources pages, built from copies of the
// database's collections.
namespace ControlBarItems {

// "Show Sources By:" values, stored as "CtrlBarSortSrc".
constexpr int ByPublications = 10;
constexpr int ByAuthors = 20;
constexpr int ByTitles = 30;

// One top-level item per key word, sorted alphabetically; data is the word's position.
QList<SelectionItem> KeyWordItems(const KeyWordList& keyWords);

// The sources labelled by title, publication or author list (showBy), top-level items
// sorted alphabetically with "<NO_SOURCE>" among them, the sources under a group in the
// order of the source list. Sources with an empty label are left out.
QList<SelectionItem> SourceItems(const NoteDatabase& database, const SourceStore& sources, int showBy);

// "<NO_SOURCE>".
QString NoSourceLabel();

} // namespace ControlBarItems
