#include "ui/categories/CCtrlCategoriesPg.h"

#include "categories/CategoryTree.h"
#include "store/NoteDatabase.h"
#include "ui/categories/CCategoryTreeCtrlSel.h"

#include <QVBoxLayout>

CCtrlCategoriesPg::CCtrlCategoriesPg(QWidget* parent)
    : QWidget(parent)
    , m_tree(new CCategoryTreeCtrlSel(this))
{
    setObjectName(QStringLiteral("CtrlCategoriesPg"));
    setAccessibleName(QStringLiteral("Categories page"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
}

void CCtrlCategoriesPg::Build(const NoteDatabase& database, const NoteIdList& currentIds)
{
    m_tree->Build(database.Categories(), database.UnassignedNoteIds(), currentIds);
}
