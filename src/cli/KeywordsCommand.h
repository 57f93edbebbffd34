#pragma once

#include "cli/CliCommand.h"

// keywords: the key word list in list order, each word with its notes.
// keywords --attach WORD ID... / --remove WORD ID...: the key word page's list-wide
// commands over those notes, written to their note files.
class KeywordsCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("keywords"); }
    QString Synopsis() const override
    {
        return QStringLiteral("keywords [--attach WORD ID... | --remove WORD ID...]");
    }
    CliOutcome Run(CNotesApp& app) override;
    bool WritesDataFolder() const override { return m_mode != Mode::List; }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    enum class Mode
    {
        List,
        Attach,
        Remove
    };
    Mode m_mode = Mode::List;
    QString m_word;
    QList<qint32> m_ids;
};
