#include "categories/KeyWordEntry.h"

QJsonObject KeyWordEntry::ToJson() const
{
    return QJsonObject {{QStringLiteral("word"), word}, {QStringLiteral("notes"), notes.ToJson()}};
}
