#pragma once

#include <QList>
#include <QString>

class ImportSession;

// The import dialog's answer: the chosen notes, by index in the import list, and the
// "Display imported notes after import" flag.
struct ImportChoice
{
    QList<int> selected;
    bool displayImported = true;
};

// Stands for the import dialog: shows the session (which it may change: edits, category
// overrides) and either fills the choice (true) or cancels (false). A true answer with
// no selected note is taken as a cancel.
class ImportChooser
{
public:
    virtual ~ImportChooser() = default;
    virtual bool Choose(ImportSession& session, ImportChoice* choice) = 0;
};

// The dialog replaced by a rule, for scripts and tests:
//   All      every note (the dialog's start state: every row listed and selected)
//   New      only notes new to the database
//   Changed  new and newer notes
//   None     nothing (the same as cancelling)
class SelectionRuleChooser : public ImportChooser
{
public:
    enum class Rule
    {
        All,
        New,
        Changed,
        None
    };

    explicit SelectionRuleChooser(Rule rule, bool displayImported = true)
        : m_rule(rule)
        , m_displayImported(displayImported)
    {
    }
    // "all", "new", "changed", "none"; false for any other text.
    static bool ParseRule(const QString& text, Rule* rule);

    bool Choose(ImportSession& session, ImportChoice* choice) override;

private:
    Rule m_rule;
    bool m_displayImported;
};
