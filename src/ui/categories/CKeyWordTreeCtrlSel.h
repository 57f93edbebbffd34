#pragma once

#include "ui/categories/CItemTreeCtrlSel.h"

// The Key Words page's tree: one item per key word.
class CKeyWordTreeCtrlSel : public CItemTreeCtrlSel
{
    Q_OBJECT
public:
    explicit CKeyWordTreeCtrlSel(QWidget* parent = nullptr);
};
