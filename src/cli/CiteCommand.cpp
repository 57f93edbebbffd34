#include "cli/CiteCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliOptions.h"
#include "sources/CitationReport.h"
#include "store/SourceStore.h"

#include <QJsonArray>

namespace {

QJsonArray Marks(const QList<qint32>& kinds, const QList<qint32>& starts, const QList<qint32>& ends)
{
    QJsonArray marks;
    for (int i = 0; i < kinds.size() && i < starts.size() && i < ends.size(); ++i)
        marks.append(QJsonArray {kinds.at(i), starts.at(i), ends.at(i)});
    return marks;
}

} // namespace

void CiteCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("style"));
    arguments.DeclareValue(QStringLiteral("width"));
}

bool CiteCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    return CliOptions::OptionalInt(arguments, QStringLiteral("style"), &m_style, error)
        && CliOptions::OptionalInt(arguments, QStringLiteral("width"), &m_width, error)
        && arguments.PositionalIds(&m_ids, error);
}

CliOutcome CiteCommand::Run(CNotesApp& app)
{
    const SourceStore& sources = app.Sources();
    QJsonArray citations;
    for (const CitationReport& report :
         CiteSources(sources.Sources(), sources.Authors(), m_ids, m_style, m_width)) {
        QJsonObject citation {
            {QStringLiteral("id"), report.Id},
            {QStringLiteral("text"), report.Text},
            {QStringLiteral("marks"), Marks(report.MarkKinds, report.MarkStarts, report.MarkEnds)},
            {QStringLiteral("authors_text"), report.AuthorsText},
            {QStringLiteral("date_text"), report.DateText},
        };
        if (report.Layout) {
            citation.insert(
                QStringLiteral("layout"),
                QJsonObject {
                    {QStringLiteral("text"), report.Layout->Text},
                    {QStringLiteral("marks"),
                     Marks(report.Layout->MarkKinds, report.Layout->MarkStarts, report.Layout->MarkEnds)},
                });
        }
        citations.append(citation);
    }
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("citations"), citations}});
}
