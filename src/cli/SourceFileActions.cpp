#include "cli/SourceFileActions.h"

#include "app/CNotesApp.h"
#include "cli/CliArguments.h"
#include "exchange/SourceExport.h"
#include "exchange/SourceImport.h"
#include "store/Settings.h"
#include "store/SourceStore.h"

#include <QJsonArray>

// Helpers of this file, named so that no other file of the library sees them.
namespace SourceFileActionsDetail {

QJsonArray IdArray(const QList<qint32>& ids)
{
    QJsonArray array;
    for (const qint32 id : ids)
        array.append(id);
    return array;
}

QJsonObject EntryJson(const SourceImportEntry& entry)
{
    const qint32 id = entry.createdId > 0 ? entry.createdId : entry.duplicateOf;
    return {{QStringLiteral("index"), entry.index},
            {QStringLiteral("key"), entry.key},
            {QStringLiteral("type"), entry.type},
            {QStringLiteral("title"), entry.title},
            {QStringLiteral("status"), entry.StatusName()},
            {QStringLiteral("id"), id > 0 ? QJsonValue(id) : QJsonValue()},
            {QStringLiteral("reason"), entry.reason}};
}

} // namespace SourceFileActionsDetail

bool SourceImportAction::Accept(const CliArguments& arguments, QString* error)
{
    using namespace SourceFileActionsDetail;
    if (arguments.Positional().size() != 2) {
        *error = QStringLiteral("source import needs one file.");
        return false;
    }
    m_file = arguments.Positional().at(1);
    if (arguments.Has(QStringLiteral("format"))) {
        const auto format = SourceFormatFromName(arguments.Value(QStringLiteral("format")));
        if (!format) {
            *error = QStringLiteral(
                "--format needs auto, bibtex, biblatex, ris, endnote, endnote-xml, medline, isi, "
                "mods or csljson.");
            return false;
        }
        m_format = *format;
    }
    if (arguments.Has(QStringLiteral("select"))) {
        m_select = arguments.Value(QStringLiteral("select"));
        if (m_select != QLatin1String("all") && m_select != QLatin1String("new")
            && m_select != QLatin1String("none")) {
            *error = QStringLiteral("--select needs all, new or none.");
            return false;
        }
    }
    return true;
}

CliOutcome SourceImportAction::Run(CNotesApp& app) const
{
    using namespace SourceFileActionsDetail;
    SourceStore& sources = app.Sources();
    SourceImport import;
    QString error;
    if (!import.Open(m_file, m_format, sources.Sources(), sources.Authors(), app.Progress(), &error))
        return CliOutcome::Failed(error);
    if (m_select == QLatin1String("all"))
        import.SelectAll();
    else if (m_select == QLatin1String("none"))
        import.SelectNone();
    QList<qint32> created, authorsCreated;
    if (import.SelectedCount() > 0) {
        const FileStatus status
            = import.Store(sources, app.GetSettings().SourceFormat, &created, &authorsCreated);
        if (!status)
            return CliOutcome::Failed(status.Message());
    }
    QJsonArray entries;
    for (const SourceImportEntry& entry : import.Entries())
        entries.append(EntryJson(entry));
    return CliOutcome::Ok({{QStringLiteral("entries"), entries},
                           {QStringLiteral("created"), IdArray(created)},
                           {QStringLiteral("authors_created"), IdArray(authorsCreated)}});
}

bool SourceExportAction::Accept(const CliArguments& arguments, QString* error)
{
    using namespace SourceFileActionsDetail;
    const auto format = SourceFormatFromName(arguments.Value(QStringLiteral("format")));
    if (!format || !ExportSourceFormats().contains(*format)) {
        *error
            = QStringLiteral("source export needs --format bibtex, biblatex, ris, endnote, mods or csljson.");
        return false;
    }
    m_format = *format;
    if (arguments.Positional().size() < 2) {
        *error = QStringLiteral("source export needs a file.");
        return false;
    }
    m_file = arguments.Positional().at(1);
    return arguments.PositionalIds(&m_ids, error, 2);
}

CliOutcome SourceExportAction::Run(CNotesApp& app) const
{
    using namespace SourceFileActionsDetail;
    const SourceStore& sources = app.Sources();
    for (const qint32 id : m_ids) {
        if (!sources.FindSource(id))
            return CliOutcome::Failed(QStringLiteral("No source has the id %1.").arg(id));
    }
    int count = 0;
    const FileStatus status = ExportSources(app.Folder().Files(), m_file, m_format, sources.Sources(),
                                            sources.Authors(), m_ids, &count);
    if (!status)
        return CliOutcome::Failed(status.Message());
    return CliOutcome::Ok({{QStringLiteral("file"), m_file}, {QStringLiteral("count"), count}});
}
