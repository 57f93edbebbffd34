#include "sources/SourceEditor.h"

#include "sources/SourceNames.h"

#include <algorithm>

namespace {

// Labels of Fields 3 to 8 for each type (1 to 7); an empty text marks a field the type
// does not use.
const char* const kTypeLabels[7][6] = {
    {"Vol./No.:", "Page #s:", "Edition/Series:", "City Published:", "Chapter:", "Editors:"},
    {"Vol./No.:", "Page #s:", "Date Accessed:", "", "URL:", ""},
    {"Section:", "Page #s:", "", "", "", ""},
    {"Vol./No.:", "Date Accessed:", "", "", "URL:", ""},
    {"", "Page #s:", "", "City Published:", "School:", "Degree:"},
    {"", "Medium:", "", "City Published:", "Series:", ""},
    {"", "", "", "City/State:", "Event:", "Place:"},
};

bool YearOnlyForced(int type)
{
    return type == SourceType::Book || type == SourceType::Dissertation;
}

} // namespace

QString SourceFieldLabel(int type, int index)
{
    if (index == 0)
        return QStringLiteral("Title:");
    if (index == 1)
        return type == SourceType::Lecture ? QStringLiteral("Organization:")
                                           : QStringLiteral("Publication/Publisher:");
    if (index < 3 || index > 8 || type < 1 || type > 7)
        return QString();
    return QString::fromLatin1(kTypeLabels[type - 1][index - 3]);
}

bool TypeUsesField(int type, int index)
{
    if (index >= 0 && index <= 2)
        return true;
    return !SourceFieldLabel(type, index).isEmpty();
}

void ClearUnusedFields(SourceRecord& source)
{
    for (int index = 3; index <= 8; ++index) {
        if (!TypeUsesField(source.Type, index))
            source.Fields[index].clear();
    }
}

QList<int> SourceTypeDisplayOrder()
{
    using namespace SourceType;
    return {Book, Dissertation, JournalArticle, Lecture, Multimedia, Online, Periodical};
}

QList<int> CitationStyleDisplayOrder()
{
    using namespace CitationStyle;
    return {GenericByAuthor,   GenericByTitle,    Acm,     Acs, Ama,   Apa, Apsa, Asa, CseCbe,
            ChicagoAuthorDate, ChicagoHumanities, Harvard, Mla, Oxford};
}

SourceEditor::SourceEditor(const SourceRecord& source)
    : m_working(source)
    , m_typedTitle(source.Fields.value(0))
{
    while (m_working.Fields.size() < kSourceFieldCount)
        m_working.Fields.append(QString());
    SetType(m_working.Type);
}

void SourceEditor::SetField(int index, const QString& typed)
{
    if (index < 0 || index >= kSourceFieldCount)
        return;
    if (index == 0) {
        m_typedTitle = typed.trimmed();
        ApplyTitleRule();
        return;
    }
    m_working.Fields[index] = typed.trimmed();
}

void SourceEditor::ApplyTitleRule()
{
    QString title = m_typedTitle;
    // The MLA citation puts the title of an article in quotes itself.
    if (m_working.Style == CitationStyle::Mla)
        title.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    m_working.Fields[0] = title;
}

void SourceEditor::SetType(int type)
{
    m_working.Type = type;
    m_working.YearOnly = YearOnlyForced(type) ? 1 : 0;
}

void SourceEditor::SetStyle(int style)
{
    m_working.Style = style;
    ApplyTitleRule();
}

int SourceEditor::SetIndentSpaces(int value)
{
    m_working.IndentSpaces = std::clamp(value, 0, 10);
    return m_working.IndentSpaces;
}

int SourceEditor::SetAuthorsBeforeEtAl(int value)
{
    m_working.AuthorsBeforeEtAl = std::clamp(value, 1, 15);
    return m_working.AuthorsBeforeEtAl;
}

void SourceEditor::SetDate(const DateTime& date)
{
    m_working.DateSet = date.IsValid();
    if (date.IsValid())
        m_working.Date = date;
}

void SourceEditor::SetYearOnly(bool yearOnly)
{
    if (YearOnlyForced(m_working.Type))
        return;
    m_working.YearOnly = yearOnly && m_working.DateSet ? 1 : 0;
}

bool SourceEditor::YearOnlyEnabled() const
{
    return !YearOnlyForced(m_working.Type) && m_working.DateSet;
}

void SourceEditor::AppendAuthor(qint32 authorId)
{
    if (!m_working.AuthorIds.contains(authorId))
        m_working.AuthorIds.append(authorId);
}

void SourceEditor::RemoveAuthor(qint32 authorId)
{
    m_working.AuthorIds.removeAll(authorId);
}

void SourceEditor::SetAuthorOrder(const QList<qint32>& authorIds)
{
    m_working.AuthorIds = authorIds;
}

bool SourceEditor::Finish(SourceRecord* result, QString* error, QString* caption) const
{
    if (m_working.Fields[0].isEmpty()) {
        if (error)
            *error = NoTitleMessage();
        if (caption)
            *caption = NoTitleCaption();
        return false;
    }
    *result = m_working;
    ClearUnusedFields(*result);
    return true;
}
