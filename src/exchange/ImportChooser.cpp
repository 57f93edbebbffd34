#include "exchange/ImportChooser.h"

#include "exchange/ImportSession.h"

bool SelectionRuleChooser::ParseRule(const QString& text, Rule* rule)
{
    static const QList<std::pair<QString, Rule>> names = {{QStringLiteral("all"), Rule::All},
                                                          {QStringLiteral("new"), Rule::New},
                                                          {QStringLiteral("changed"), Rule::Changed},
                                                          {QStringLiteral("none"), Rule::None}};
    for (const auto& [name, value] : names) {
        if (name == text) {
            *rule = value;
            return true;
        }
    }
    return false;
}

bool SelectionRuleChooser::Choose(ImportSession& session, ImportChoice* choice)
{
    choice->selected.clear();
    choice->displayImported = m_displayImported;
    for (int i = 0; i < session.Count(); ++i) {
        const ImportComparison comparison = session.Items().at(i).comparison;
        const bool wanted = m_rule == Rule::All
            || (m_rule == Rule::New && comparison == ImportComparison::New)
            || (m_rule == Rule::Changed
                && (comparison == ImportComparison::New || comparison == ImportComparison::Newer));
        if (wanted)
            choice->selected.append(i);
    }
    return !choice->selected.isEmpty();
}
