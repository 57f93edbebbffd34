#pragma once

#include "cli/CliCommand.h"

class CategoryTree;
class CategoryTreeEditor;
class RetreePrompt;

// retree [--answer yes|no]... EDIT...: the "Edit Category Trees" dialog without its
// window. Each EDIT runs one of the dialog's commands on the working trees, then the
// dialog's "Save" re-files every note. EDIT is new:NAME, sub:PATH=NAME, rename:PATH=NAME,
// delete:PATH or move:PATH>TARGET (an empty TARGET is the blank area); PATH is A/B/C or
// <UNASSIGNED>.
class RetreeCommand : public CliCommand
{
public:
    QString Name() const override { return QStringLiteral("retree"); }
    QString Synopsis() const override { return QStringLiteral("retree [--answer yes|no]... EDIT..."); }
    CliOutcome Run(CNotesApp& app) override;

    struct Edit
    {
        QString kind; // new, sub, rename, delete, move
        QString path;
        QString text; // the name, or the move's target path
    };
    // Splits one EDIT word; false for a word of no known form.
    static bool ParseEdit(const QString& word, Edit* edit);
    // The node a PATH names in the working trees (first match at each level), or 0.
    static qint32 ResolvePath(const CategoryTree& trees, const QString& path);

protected:
    void DeclareOptions(CliArguments& arguments) override;
    bool AcceptArguments(const CliArguments& arguments, QString* error) override;

private:
    // False, with the error, when a path names no category.
    static bool RunEdit(const Edit& edit, CategoryTreeEditor& editor, RetreePrompt& prompt, QString* error);

    QList<bool> m_answers;
    QList<Edit> m_edits;
};
