#include "cli/RtfTextCommand.h"

#include "cli/CliOptions.h"
#include "richtext/RtfText.h"

#include <QFile>

void RtfTextCommand::DeclareOptions(CliArguments& arguments)
{
    (void)arguments;
}

bool RtfTextCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    return CliOptions::OneFile(arguments, QStringLiteral("rtf-text"), &m_file, error);
}

CliOutcome RtfTextCommand::Run(CNotesApp& app)
{
    (void)app;
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return CliOutcome::Failed(QStringLiteral("Cannot read %1.").arg(m_file));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("text"), RtfToPlainText(file.readAll())}});
}
