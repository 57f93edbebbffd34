#include "exchange/ImportComparison.h"

ImportComparison CompareImportNote(const NoteRecord& incoming, const NoteRecord* existing)
{
    if (existing == nullptr)
        return ImportComparison::New;
    const DateTime& mine = incoming.LastEdited;
    const DateTime& theirs = existing->LastEdited;
    if (!mine.IsValid() || !theirs.IsValid())
        return ImportComparison::Same;
    if (mine.Days() > theirs.Days())
        return ImportComparison::Newer;
    if (mine.Days() < theirs.Days())
        return ImportComparison::Older;
    return ImportComparison::Same;
}

QString ImportStatusText(int position, ImportComparison comparison)
{
    switch (comparison) {
    case ImportComparison::New:
        return QString::asprintf(" %d. - <NEW NOTE>", position);
    case ImportComparison::Newer:
        return QString::asprintf(" %d. - EXISTS (newer)", position);
    case ImportComparison::Older:
        return QString::asprintf(" %d. - EXISTS (older)", position);
    case ImportComparison::Same:
        break;
    }
    return QString::asprintf(" %d. - EXISTS (same)", position);
}

int ImportCheckImage(ImportComparison comparison)
{
    switch (comparison) {
    case ImportComparison::New:
        return 2;
    case ImportComparison::Newer:
        return 3;
    case ImportComparison::Older:
        return 4;
    case ImportComparison::Same:
        break;
    }
    return 5;
}

int ImportStatusCode(ImportComparison comparison)
{
    return comparison == ImportComparison::New ? 11 : 22;
}

QString ImportComparisonName(ImportComparison comparison)
{
    switch (comparison) {
    case ImportComparison::New:
        return QStringLiteral("new");
    case ImportComparison::Newer:
        return QStringLiteral("newer");
    case ImportComparison::Older:
        return QStringLiteral("older");
    case ImportComparison::Same:
        break;
    }
    return QStringLiteral("same");
}
