#pragma once

#include <QList>
#include <QRect>

class QTreeWidget;
class QTreeWidgetItem;

// What the control bar's three trees share: their look (light text on a dark ground,
// the item under the pointer highlighted), their alphabetical order and the icon hit.
namespace ControlBarStyle {

void Apply(QTreeWidget* tree);
// By displayed text, lower-cased, byte by byte.
void SortByText(QList<QTreeWidgetItem*>& items);
// Whether point lies on the icon of an item drawn in itemRect.
bool OnIcon(const QRect& itemRect, const QSize& iconSize, const QPoint& point);

} // namespace ControlBarStyle
