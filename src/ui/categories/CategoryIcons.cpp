#include "ui/categories/CategoryIcons.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace {

// One hue per level, so that the depth of an item shows at a glance.
QColor LevelColour(int depth)
{
    static const QColor colours[]
        = {QColor(70, 130, 200), QColor(70, 170, 110), QColor(210, 150, 50), QColor(170, 90, 170)};
    return colours[qBound(0, depth, 3)];
}

QIcon PaintCategoryIcon(int depth, CategoryIcons::Variant variant)
{
    QPixmap pixmap(19, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = LevelColour(depth);
    const QRectF folder(1.5, 4.5, 16, 13);
    painter.setPen(QPen(colour.darker(140), 1));
    // A folder: full for a category with notes, an outline for an empty one, lit for an
    // active one.
    if (variant == CategoryIcons::Variant::Empty)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(variant == CategoryIcons::Variant::Active ? colour.lighter(150) : colour);
    painter.drawRoundedRect(folder, 2, 2);
    painter.drawRect(QRectF(1.5, 2.5, 7, 2));
    if (variant == CategoryIcons::Variant::Active) {
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(QPointF(5, 11), QPointF(8.5, 14.5));
        painter.drawLine(QPointF(8.5, 14.5), QPointF(14, 8));
    } else {
        painter.setPen(variant == CategoryIcons::Variant::Empty ? colour.darker(140) : Qt::white);
        QFont font = painter.font();
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(folder, Qt::AlignCenter, QString::number(depth + 1));
    }
    return QIcon(pixmap);
}

} // namespace

QIcon CategoryIcons::Make(int depth, Variant variant)
{
    // Every item of a tree of tens of thousands of categories shows one of twelve
    // pictures: each is painted once. The cache goes with the application object, before
    // the window system it was painted for.
    static QHash<int, QIcon>* made = nullptr;
    if (made == nullptr) {
        made = new QHash<int, QIcon>;
        qAddPostRoutine([] {
            delete made;
            made = nullptr;
        });
    }
    const int key = qBound(0, depth, 3) * 4 + static_cast<int>(variant);
    const auto found = made->constFind(key);
    if (found != made->cend())
        return *found;
    return *made->insert(key, PaintCategoryIcon(qBound(0, depth, 3), variant));
}
