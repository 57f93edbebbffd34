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
    std::stable_sort(items.begin(), items.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return SortText(a->text(0)) < SortText(b->text(0));
    });
}

bool ControlBarStyle::OnIcon(const QRect& itemRect, const QSize& iconSize, const QPoint& point)
{
    return point.x() >= itemRect.left() && point.x() < itemRect.left() + iconSize.width() + 4;
}
