#include "ui/categories/ControlBarStyle.h"

#include "lists/NoteSort.h"

#include <QTreeWidget>
#include <algorithm>

void ControlBarStyle::Apply(QTreeWidget* tree)
{
    tree->setHeaderHidden(true);
    tree->setMouseTracking(true);
    tree->setExpandsOnDoubleClick(false);
    tree->setStyleSheet(QStringLiteral("QTreeWidget { background: #262b33; color: #e6e8eb; border: 0; }"
                                       "QTreeWidget::item:hover { background: #3b4452; color: #ffffff; }"
                                       "QTreeWidget::item:selected { background: #4a5a72; }"));
}

void ControlBarStyle::SortByText(QList<QTreeWidgetItem*>& items)
{
    StableSortByText(items, [](const QTreeWidgetItem* item) { return item->text(0); });
}

bool ControlBarStyle::OnIcon(const QRect& itemRect, const QSize& iconSize, const QPoint& point)
{
    return point.x() >= itemRect.left() && point.x() < itemRect.left() + iconSize.width() + 4;
}
