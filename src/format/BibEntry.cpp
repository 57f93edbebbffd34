#include "format/BibEntry.h"

QString BibEntry::Field(const QString& name) const
{
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name)
            return value;
    }
    return {};
}

void BibEntry::Set(const QString& name, const QString& value)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).first != name)
            continue;
        if (value.isEmpty())
            fields.removeAt(i);
        else
            fields[i].second = value;
        return;
    }
    if (!value.isEmpty())
        fields.append({name, value});
}
