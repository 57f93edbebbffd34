#include "cli/BibCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliOptions.h"
#include "exchange/ExchangeFormat.h"
#include "exchange/PrintCommands.h"
#include "store/SourceStore.h"

#include <QDir>

void BibCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("style"));
    arguments.DeclareValue(QStringLiteral("indent"));
    arguments.DeclareValue(QStringLiteral("et-al"));
    arguments.DeclareFlag(QStringLiteral("unsorted"));
}

bool BibCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    std::optional<int> style, indent, etAl;
    if (!CliOptions::OptionalInt(arguments, QStringLiteral("style"), &style, error)
        || !CliOptions::OptionalInt(arguments, QStringLiteral("indent"), &indent, error)
        || !CliOptions::OptionalInt(arguments, QStringLiteral("et-al"), &etAl, error)
        || !arguments.PositionalIds(&m_ids, error))
        return false;
    // Common formatting is imposed as one choice: all three values or none.
    const int given = int(style.has_value()) + int(indent.has_value()) + int(etAl.has_value());
    if (given != 0 && given != 3) {
        *error = QStringLiteral("--style, --indent and --et-al go together.");
        return false;
    }
    if (given == 3)
        m_common = CommonFormatting {*style, *indent, *etAl};
    if (m_ids.isEmpty()) {
        *error = QStringLiteral("bib needs at least one source id.");
        return false;
    }
    m_sorted = !arguments.Has(QStringLiteral("unsorted"));
    return true;
}

CliOutcome BibCommand::Run(CNotesApp& app)
{
    const SourceStore& sources = app.Sources();
    FileStatus failure;
    const QString path = PrintCommands::HandOffPath(app.Folder(), ExchangeFormat::BibFileName(), &failure);
    if (path.isEmpty())
        return CliOutcome::Failed(failure.Message());
    BibliographyOptions options;
    options.Sorted = m_sorted;
    options.Common = m_common;
    const int count = CreateBibliography(app.Folder().Files(), path, sources.Sources(), sources.Authors(),
                                         m_ids, options, &failure);
    if (count < 0)
        return CliOutcome::Failed(failure.Message());
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("file"), path}, {QStringLiteral("count"), count}});
}
