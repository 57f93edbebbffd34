#include "ui/COptionsPropSheet.h"

#include "ui/COptAgentPg.h"
#include "ui/COptGeneralPg.h"
#include "ui/OptSpellChkPg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsPropSheet::COptionsPropSheet(const OptionsContext& context, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("optionsSheet"));
    setWindowTitle(QStringLiteral("Options"));
    setAccessibleName(QStringLiteral("Options"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("optionsPages"));
    m_tabs->setAccessibleName(QStringLiteral("Option pages"));
    m_general = new COptGeneralPg(m_context, m_tabs);
    m_agent = new COptAgentPg(m_context, m_tabs);
    m_spell = new OptSpellChkPg(m_context, m_tabs);
    m_tabs->addTab(m_general, QStringLiteral("< General >"));
    m_tabs->addTab(m_agent, QStringLiteral("< Agent >"));
    m_tabs->addTab(m_spell, QStringLiteral("< Spell Checker >"));

    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeOptions"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close the options; every change is already in effect"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
}
