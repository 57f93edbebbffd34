#pragma once

#include "cli/CliCommand.h"

#include <optional>

// cite: the citation of each source (every source when no id is given), optionally in another style and laid
// out at a width. Nothing is written.
class CiteCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("cite"); }
    QString Synopsis() const override { return QStringLiteral("cite [--style N] [--width W] [ID...]"); }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return false; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    std::optional<int> m_style;
    std::optional<int> m_width;
    QList<qint32> m_ids;
};
