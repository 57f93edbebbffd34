#pragma once

#include "cli/CliCommand.h"
#include "sources/Bibliography.h"

#include <optional>

// bib: writes the bibliography of the given sources to "Data Files\Bib.dat".
class BibCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("bib"); }
    QString Synopsis() const override
    {
        return QStringLiteral("bib [--style N --indent N --et-al N] [--unsorted] ID...");
    }
    CliOutcome Run(CNotesApp& app) override;
    // The hand-off file is no data: a read-only data folder has it in the runtime folder.
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    QList<qint32> m_ids;
    bool m_sorted = true;
    std::optional<CommonFormatting> m_common;
};
