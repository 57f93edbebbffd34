#include "editor/EditorPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace EditorPalette {
namespace {

    struct NamedColour
    {
        const char* name;
        int red, green, blue;
    };

    // The sixteen standard colours in command order.
    constexpr NamedColour kColours[kColourCount] = {
        {"Black", 0, 0, 0},        {"Maroon", 128, 0, 0},    {"Green", 0, 128, 0},  {"Olive", 128, 128, 0},
        {"Navy", 0, 0, 128},       {"Purple", 128, 0, 128},  {"Teal", 0, 128, 128}, {"Gray", 128, 128, 128},
        {"Silver", 192, 192, 192}, {"Red", 255, 0, 0},       {"Lime", 0, 255, 0},   {"Yellow", 255, 255, 0},
        {"Blue", 0, 0, 255},       {"Fuchsia", 255, 0, 255}, {"Aqua", 0, 255, 255}, {"White", 255, 255, 255},
    };

    const QColor kInk(60, 64, 72);

    void Lines(QPainter& p, const QList<QPair<qreal, qreal>>& spans)
    {
        qreal y = 4.5;
        for (const auto& span : spans) {
            p.drawLine(QPointF(span.first, y), QPointF(span.second, y));
            y += 3.5;
        }
    }

    void DrawPicture(QPainter& p, Picture picture, const QColor& accent)
    {
        QPen pen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        switch (picture) {
        case Picture::AlignLeft:
            Lines(p, {{2, 16}, {2, 11}, {2, 16}, {2, 9}});
            break;
        case Picture::AlignCentre:
            Lines(p, {{2, 16}, {5, 13}, {2, 16}, {6, 12}});
            break;
        case Picture::AlignRight:
            Lines(p, {{2, 16}, {7, 16}, {2, 16}, {9, 16}});
            break;
        case Picture::Bullets:
            p.setBrush(kInk);
            for (int i = 0; i < 3; ++i)
                p.drawEllipse(QPointF(3.5, 4.5 + i * 5), 1.3, 1.3);
            for (int i = 0; i < 3; ++i)
                p.drawLine(QPointF(7, 4.5 + i * 5), QPointF(16, 4.5 + i * 5));
            break;
        case Picture::Numbering: {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(5);
            font.setBold(true);
            p.setFont(font);
            for (int i = 0; i < 3; ++i) {
                p.drawText(QRectF(0, 2 + i * 5, 6, 6), Qt::AlignCenter, QString::number(i + 1));
                p.drawLine(QPointF(7, 4.5 + i * 5), QPointF(16, 4.5 + i * 5));
            }
            break;
        }
        case Picture::Highlight:
            p.setBrush(accent.isValid() ? accent : QColor(255, 230, 0));
            p.setPen(Qt::NoPen);
            p.drawRect(QRectF(1, 13.5, 16, 3.5));
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(QColor(250, 250, 250));
            p.drawPolygon(QPolygonF({{5, 11}, {11, 2}, {15, 5}, {9, 13}, {5, 13}}));
            break;
        case Picture::TextColour: {
            QFont font(QStringLiteral("DejaVu Serif"));
            font.setPixelSize(13);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRectF(0, -1, 18, 15), Qt::AlignCenter, QStringLiteral("A"));
            p.setPen(Qt::NoPen);
            p.setBrush(accent.isValid() ? accent : QColor(Qt::red));
            p.drawRect(QRectF(2, 13.5, 14, 3.5));
            break;
        }
        case Picture::ChooseSource:
            p.setBrush(QColor(196, 150, 80));
            p.drawRect(QRectF(3, 2.5, 11, 13));
            p.setBrush(QColor(250, 245, 230));
            p.drawRect(QRectF(5, 4.5, 7, 3));
            p.setPen(QPen(QColor(30, 120, 50), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(12.5, 10), QPointF(12.5, 16.5));
            p.drawLine(QPointF(9.5, 13.25), QPointF(15.5, 13.25));
            break;
        case Picture::RemoveSource:
            p.setBrush(QColor(196, 150, 80));
            p.drawRect(QRectF(3, 2.5, 11, 13));
            p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10, 10), QPointF(16, 16));
            p.drawLine(QPointF(16, 10), QPointF(10, 16));
            break;
        case Picture::Attachments: {
            QPainterPath clip;
            clip.moveTo(11, 5);
            clip.lineTo(11, 13);
            clip.arcTo(QRectF(6, 10, 5, 6), 0, -180);
            clip.lineTo(6, 4);
            clip.arcTo(QRectF(6, 1, 8, 6), 180, -180);
            clip.lineTo(14, 14);
            p.setBrush(Qt::NoBrush);
            p.drawPath(clip);
            break;
        }
        case Picture::SizeUp:
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({{4, 12}, {9, 6}, {14, 12}}));
            break;
        case Picture::SizeDown:
            p.setBrush(kInk);
            p.drawPolygon(QPolygonF({{4, 6}, {9, 12}, {14, 6}}));
            break;
        }
    }

} // namespace

QString ColourName(int index)
{
    if (index < 0 || index >= kColourCount)
        return QString();
    return QLatin1String(kColours[index].name);
}

QColor Colour(int index)
{
    if (index < 0 || index >= kColourCount)
        return QColor();
    return QColor(kColours[index].red, kColours[index].green, kColours[index].blue);
}

QStringList FontNames(const QStringList& installed)
{
    static const char* const kScriptVariants[] = {"Greek", "CYR", "Baltic", "CE", "TUR"};
    QStringList names;
    for (const QString& name : installed) {
        bool variant = false;
        for (const char* part : kScriptVariants)
            variant = variant || name.contains(QLatin1String(part));
        if (!variant && !names.contains(name))
            names.append(name);
    }
    return names;
}

QIcon Icon(Picture picture, const QColor& accent)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(18 * scale, 18 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        DrawPicture(painter, picture, accent);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace EditorPalette
