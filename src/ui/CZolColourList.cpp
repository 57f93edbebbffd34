#include "ui/CZolColourList.h"

#include "editor/widgets/NamedColours.h"

#include <QPainter>
#include <QPixmap>

namespace {

QIcon Swatch(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

CZolColourList::CZolColourList(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("colourList"));
}

void CZolColourList::FillColours(int selectedIndex)
{
    clear();
    for (int i = 0; i < NamedColours::Count; ++i)
        addItem(Swatch(NamedColours::Colour(i)), NamedColours::Name(i), i);
    setCurrentIndex(selectedIndex);
}
