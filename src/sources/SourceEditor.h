#pragma once

#include "format/AuthorRecord.h"
#include "format/DateTime.h"
#include "format/SourceRecord.h"

#include <QList>
#include <QString>

// The working copy of one source while the user edits it: every change the "Edit Source"
// window (or the command line standing in for it) makes goes through here, so that the
// rules of the form live in one place. The window only shows what this holds.
class SourceEditor
{
public:
    // Opening an existing source: the record as stored. Applying its type at the end of
    // opening switches "Use year only" as a type change would (on for books and theses,
    // off for every other type), so a journal article opens with YearOnly 0.
    explicit SourceEditor(const SourceRecord& source);

    const SourceRecord& Working() const { return m_working; }
    bool IsNew() const { return m_isNew; }
    void SetNew(bool isNew) { m_isNew = isNew; }

    // A typed field: trimmed at both ends. The title (index 0) in "MLA Style" has each
    // pair of double quote characters replaced by one.
    void SetField(int index, const QString& typed);
    void SetType(int type);
    // Also applies the title rule again to the title as it was typed.
    void SetStyle(int style);
    // Clamped to 0..10 and 1..15; the value kept is returned so the window can show it.
    int SetIndentSpaces(int value);
    int SetAuthorsBeforeEtAl(int value);
    // A valid date sets DateSet and Date; a null date clears DateSet.
    void SetDate(const DateTime& date);
    void SetYearOnly(bool yearOnly);
    // "Use year only" is forced on for books and theses, and needs a date otherwise.
    bool YearOnlyEnabled() const;

    // Authors of the source, in citation order. An id already present is not added twice.
    void AppendAuthor(qint32 authorId);
    void RemoveAuthor(qint32 authorId);
    void SetAuthorOrder(const QList<qint32>& authorIds);

    // The "Save" button: refuses a source without a title (text and caption below);
    // otherwise empties the fields the type does not use and hands back the record.
    bool Finish(SourceRecord* result, QString* error, QString* caption) const;

    static QString NoTitleMessage() { return QStringLiteral("Source must have a title."); }
    static QString NoTitleCaption() { return QStringLiteral("No Title"); }

private:
    void ApplyTitleRule();

    SourceRecord m_working;
    QString m_typedTitle;
    bool m_isNew = false;
};

// Field labels of the form for a type: "Title:" for 0, "Publication/Publisher:" or
// "Organization:" for 1, the type's own label for 3 to 8, and an empty text for a field
// the type does not use (its edit is disabled and emptied).
QString SourceFieldLabel(int type, int index);
// True when the type writes anything in the field (0, 1 and 2 always).
bool TypeUsesField(int type, int index);
// Empties Fields 3 to 8 that the source's type does not use.
void ClearUnusedFields(SourceRecord& source);
// The type list of the form, in the order it shows: "Book", "Dissertation/Thesis", ...
QList<int> SourceTypeDisplayOrder();
// The style list of the form and of the bibliography: "Generic by Author" first, then
// "Generic by Title", then the named styles alphabetically.
QList<int> CitationStyleDisplayOrder();
