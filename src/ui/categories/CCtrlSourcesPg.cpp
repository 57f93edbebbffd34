#include "ui/categories/CCtrlSourcesPg.h"

#include "lists/ControlBarItems.h"
#include "store/NoteDatabase.h"
#include "ui/categories/CSourcesTreeCtrlSel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

CCtrlSourcesPg::CCtrlSourcesPg(QWidget* parent)
    : QWidget(parent)
    , m_showBy(new QComboBox(this))
    , m_tree(new CSourcesTreeCtrlSel(this))
{
    setObjectName(QStringLiteral("CtrlSourcesPg"));
    setAccessibleName(QStringLiteral("Sources page"));
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(16);
    auto* label = new QLabel(QStringLiteral("Show Sources By:"), this);
    label->setFont(font);
    label->setBuddy(m_showBy);
    m_showBy->setObjectName(QStringLiteral("showSourcesBy"));
    m_showBy->setAccessibleName(QStringLiteral("Show Sources By:"));
    m_showBy->setToolTip(QStringLiteral("How the sources are labelled and grouped"));
    m_showBy->setFont(font);
    m_showBy->view()->setAccessibleName(QStringLiteral("Show Sources By: choices"));
    m_showBy->addItem(QStringLiteral("Titles"), ControlBarItems::ByTitles);
    m_showBy->addItem(QStringLiteral("Publications"), ControlBarItems::ByPublications);
    m_showBy->addItem(QStringLiteral("Authors"), ControlBarItems::ByAuthors);
    connect(m_showBy, &QComboBox::activated, this,
            [this](int index) { emit ShowByChanged(m_showBy->itemData(index).toInt()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_showBy);
    layout->addWidget(m_tree, 1);
}

void CCtrlSourcesPg::Build(const NoteDatabase& database, const SourceStore& sources,
                           const NoteIdList& currentIds, int showBy)
{
    const int index = m_showBy->findData(showBy);
    m_showBy->setCurrentIndex(index >= 0 ? index : 0);
    m_tree->Build(ControlBarItems::SourceItems(database, sources, m_showBy->currentData().toInt()),
                  currentIds);
}
