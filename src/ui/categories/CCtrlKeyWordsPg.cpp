#include "ui/categories/CCtrlKeyWordsPg.h"

#include "categories/KeyWordList.h"
#include "lists/ControlBarItems.h"
#include "store/NoteDatabase.h"
#include "ui/categories/CKeyWordTreeCtrlSel.h"

#include <QVBoxLayout>

CCtrlKeyWordsPg::CCtrlKeyWordsPg(QWidget* parent)
    : QWidget(parent)
    , m_tree(new CKeyWordTreeCtrlSel(this))
{
    setObjectName(QStringLiteral("CtrlKeyWordsPg"));
    setAccessibleName(QStringLiteral("Key Words page"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
}

void CCtrlKeyWordsPg::Build(const NoteDatabase& database, const NoteIdList& currentIds)
{
    m_tree->Build(ControlBarItems::KeyWordItems(database.KeyWords()), currentIds);
}
