#pragma once

#include "cli/CliCommand.h"
#include "cli/SourceFileActions.h"

#include <QList>
#include <QPair>
#include <optional>

class SourceEditor;
class SourceStore;

// source add|edit|delete: "Edit Source" and its "Save", and the deletion of "View
// Sources", without windows; source import|export: cli/SourceFileActions.h. Each option does what the form's
// control does; with
// --author the source's authors become the named ones in the given order (each found by
// its three names, else created as "Add New" creates one).
class SourceCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("source"); }
    QString Synopsis() const override
    {
        return QStringLiteral(
            "source add --type N [--style N] [--indent N] [--et-al N] [--date YYYY-MM-DD "
            "[--year-only]] [--field K=TEXT]... [--author FIRST/MIDDLE/LAST]... | source "
            "edit ID [the same options] | source delete ID | source import FILE [--format "
            "auto|bibtex|biblatex|ris|endnote|endnote-xml|medline|isi|mods|csljson] [--select "
            "all|new|none] | source export --format bibtex|biblatex|ris|endnote|mods|csljson FILE "
            "[ID...]");
    }
    CliOutcome Run(CNotesApp& app) override;
    // An export only reads the sources (its file is written outside the data folder);
    // add, edit, delete and import store them.
    bool WritesDataFolder() const override { return m_action != QLatin1String("export"); }

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    struct AuthorNames
    {
        QString first, middle, last;
    };

    bool AcceptEditOptions(const CliArguments& arguments, QString* error);
    CliOutcome RunSave(CNotesApp& app);
    CliOutcome RunDelete(CNotesApp& app);
    // Applies the options in the order the form would take them; false with a message
    // when an author cannot be created.
    bool ApplyOptions(SourceEditor& editor, SourceStore& sources, QString* error) const;

    QString m_action;
    qint32 m_id = 0;
    std::optional<int> m_type, m_style, m_indent, m_etAl;
    std::optional<QDate> m_date;
    bool m_yearOnly = false;
    QList<QPair<int, QString>> m_fields;
    std::optional<QList<AuthorNames>> m_authors;
    SourceImportAction m_import;
    SourceExportAction m_export;
};
