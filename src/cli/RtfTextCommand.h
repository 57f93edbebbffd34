#pragma once

#include "cli/CliCommand.h"

// rtf-text: the plain text of an RTF document as the note view shows it, read by the program's RTF reader.
class RtfTextCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("rtf-text"); }
    QString Synopsis() const override { return QStringLiteral("rtf-text FILE"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QString m_file;
};
