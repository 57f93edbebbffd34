#pragma once

#include <QString>
#include <QStringList>

class UserPrompt;

// A search as typed into the search field: terms joined by one kind of operator.
//   "apple AND pear"   #=> Operator And, Terms ["apple", "pear"]
//   "salt and pepper"  #=> Operator None, Terms ["salt and pepper"] (operators are upper case)
//   "ORANGE juice"     #=> Operator Or, Terms ["ANGE juice"] (found inside words too)
//   "\"cat\" OR dog"   #=> Operator Or, Terms ["\"cat\"", "dog"]; quotes ask for whole words
//   "SHOWALL"          #=> Operator None, Terms ["SHOWALL"]; every note of the database
struct SearchQuery
{
    enum : int
    {
        None = -1,
        And = 1,
        Or = 2
    };

    int Operator = None;
    QString Text; // the query as typed
    QStringList Terms; // trimmed, in the order written

    // The database scope brings in every note for this exact text (same case).
    bool IsShowAll() const;
};

// Fills query from text. Refuses a text holding both "AND" and "OR": the query's text is
// emptied and, when owner is given, it is shown InvalidQueryMessage() with the caption
// InvalidQueryCaption() and the exclamation icon. Terms may end up empty ("AND" alone).
bool ParseQuery(const QString& text, SearchQuery* query, UserPrompt* owner = nullptr);

// "You can only have one type of operator (AND, OR) in search string."
QString InvalidQueryMessage();
// "Invalid Search String"
QString InvalidQueryCaption();
