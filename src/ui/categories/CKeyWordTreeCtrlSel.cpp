#include "ui/categories/CKeyWordTreeCtrlSel.h"

CKeyWordTreeCtrlSel::CKeyWordTreeCtrlSel(QWidget* parent)
    : CItemTreeCtrlSel({2501, 2503, 2505, 2507, 2509, 2511, 2513},
                       {
                           {2501, QStringLiteral("Get All Notes With This Key Word")},
                           {2503, QStringLiteral("Remove All Notes With This Key Word")},
                           {2505, QStringLiteral("Attach All Notes In List To This Key Word")},
                           {2507, QStringLiteral("Remove Key Word From All Notes In List")},
                           {2509, QStringLiteral("Print Notes With This Key Word")},
                           {2511, QStringLiteral("Export Notes With This Key Word")},
                           {2513, QStringLiteral("Delete Notes With This Key Word")},
                       },
                       parent)
{
    setObjectName(QStringLiteral("keyWordTreeCtrlSel"));
    setAccessibleName(QStringLiteral("Key Words"));
    setToolTip(QStringLiteral("Click an icon to take or drop a key word's notes; right-click for more"));
}
