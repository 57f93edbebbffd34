#pragma once

#include "ui/categories/CItemTreeCtrlSel.h"

// The Sources page's tree: the sources by title, publication or author list.
class CSourcesTreeCtrlSel : public CItemTreeCtrlSel
{
    Q_OBJECT
public:
    explicit CSourcesTreeCtrlSel(QWidget* parent = nullptr);
};
