#pragma once

#include "cli/CliOutcome.h"
#include "exchange/SourceFiles.h"

#include <QList>
#include <QString>

class CliArguments;
class CNotesApp;

// source import FILE [--format F] [--select all|new|none]: "Import Sources" without its
// dialog; --select stands for the dialog's check boxes (new: every new entry, as the
// dialog opens).
class SourceImportAction
{
public:
    bool Accept(const CliArguments& arguments, QString* error);
    CliOutcome Run(CNotesApp& app) const;

private:
    QString m_file;
    SourceFileFormat m_format = SourceFileFormat::Auto;
    QString m_select = QStringLiteral("new");
};

// source export --format F FILE [ID...]: "Export Sources..." of the given sources (every
// source when none is given).
class SourceExportAction
{
public:
    bool Accept(const CliArguments& arguments, QString* error);
    CliOutcome Run(CNotesApp& app) const;

private:
    QString m_file;
    SourceFileFormat m_format = SourceFileFormat::BibTeX;
    QList<qint32> m_ids;
};
