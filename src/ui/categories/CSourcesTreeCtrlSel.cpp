#include "ui/categories/CSourcesTreeCtrlSel.h"

CSourcesTreeCtrlSel::CSourcesTreeCtrlSel(QWidget* parent)
    : CItemTreeCtrlSel({2401, 2403, 0, 0, 2409, 2411, 2413},
                       {
                           {2401, QStringLiteral("Get All Notes From This Source")},
                           {2403, QStringLiteral("Remove All Notes From This Source")},
                           {2409, QStringLiteral("Print Notes From This Source")},
                           {2411, QStringLiteral("Export Notes From This Source")},
                           {2413, QStringLiteral("Delete Notes From This Source")},
                       },
                       parent)
{
    setObjectName(QStringLiteral("sourcesTreeCtrlSel"));
    setAccessibleName(QStringLiteral("Sources"));
    setToolTip(QStringLiteral("Click an icon to take or drop a source's notes; right-click for more"));
}
