#include "lists/SearchQuery.h"

#include "platform/UserPrompt.h"

namespace {

QString ShowAllText()
{
    return QStringLiteral("SHOWALL");
}

} // namespace

bool SearchQuery::IsShowAll() const
{
    return Text == ShowAllText();
}

QString InvalidQueryMessage()
{
    return QStringLiteral("You can only have one type of operator (AND, OR) in search string.");
}

QString InvalidQueryCaption()
{
    return QStringLiteral("Invalid Search String");
}

bool ParseQuery(const QString& text, SearchQuery* query, UserPrompt* owner)
{
    query->Text = text;
    query->Operator = SearchQuery::None;
    query->Terms.clear();
    if (text == ShowAllText()) {
        query->Terms.append(text);
        return true;
    }
    const QString andText = QStringLiteral("AND");
    const QString orText = QStringLiteral("OR");
    // Exact upper case, and inside words too: "ORANGE" holds an OR.
    const bool hasAnd = text.contains(andText);
    const bool hasOr = text.contains(orText);
    if (hasAnd && hasOr) {
        if (owner)
            owner->Tell(InvalidQueryMessage(), InvalidQueryCaption(), UserPrompt::Icon::Warning);
        query->Text.clear();
        return false;
    }
    if (!hasAnd && !hasOr) {
        query->Terms.append(text); // untrimmed
        return true;
    }
    query->Operator = hasAnd ? SearchQuery::And : SearchQuery::Or;
    const QStringList pieces = text.split(hasAnd ? andText : orText);
    for (const QString& piece : pieces) {
        const QString term = piece.trimmed();
        if (!term.isEmpty())
            query->Terms.append(term);
    }
    return true;
}
