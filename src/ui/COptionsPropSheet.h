#pragma once

#include "ui/OptionsContext.h"

#include <QDialog>

class QTabWidget;
class COptGeneralPg;
class COptAgentPg;
class OptSpellChkPg;

// The options: three pages whose controls take effect at once, so the sheet has no OK,
// Cancel or Apply, only its own close button (21134).
class COptionsPropSheet : public QDialog
{
    Q_OBJECT
public:
    explicit COptionsPropSheet(const OptionsContext& context, QWidget* parent = nullptr);

    COptGeneralPg* GeneralPage() const { return m_general; }
    COptAgentPg* AgentPage() const { return m_agent; }
    OptSpellChkPg* SpellPage() const { return m_spell; }
    QTabWidget* Tabs() const { return m_tabs; }

private:
    OptionsContext m_context;
    QTabWidget* m_tabs = nullptr;
    COptGeneralPg* m_general = nullptr;
    COptAgentPg* m_agent = nullptr;
    OptSpellChkPg* m_spell = nullptr;
};
