#include "ui/SkinBitmaps.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace SkinBitmaps {
namespace {

    // The face of the button: a soft grey bevel at rest, blue while the mouse is over it,
    // a darker blue pressed in.
    void DrawFace(QPainter& p, const QRectF& r, State state)
    {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        QColor border;
        switch (state) {
        case State::Normal:
            g.setColorAt(0, QColor(250, 250, 252));
            g.setColorAt(1, QColor(214, 218, 226));
            border = QColor(150, 156, 168);
            break;
        case State::Hover:
            g.setColorAt(0, QColor(232, 243, 255));
            g.setColorAt(1, QColor(176, 210, 246));
            border = QColor(70, 130, 200);
            break;
        case State::Pressed:
            g.setColorAt(0, QColor(140, 182, 232));
            g.setColorAt(1, QColor(196, 222, 250));
            border = QColor(40, 90, 160);
            break;
        }
        p.setPen(QPen(border, 1));
        p.setBrush(g);
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }

    void Arrow(QPainter& p, QPointF from, QPointF to)
    {
        p.drawLine(from, to);
        const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
        const QPointF n(-d.y(), d.x());
        QPolygonF head;
        head << to << to - d * 4 + n * 3 << to - d * 4 - n * 3;
        p.setBrush(p.pen().color());
        p.drawPolygon(head);
    }

    void DrawPage(QPainter& p, const QRectF& r)
    {
        p.setBrush(Qt::white);
        p.drawRect(r);
        for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 3)
            p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }

    void DrawMagnifier(QPainter& p, const QRectF& r, QColor lens)
    {
        const QRectF circle(r.left(), r.top(), r.width() * 0.62, r.height() * 0.62);
        p.setBrush(lens);
        p.drawEllipse(circle);
        QPen thick = p.pen();
        thick.setWidthF(2.5);
        p.setPen(thick);
        p.drawLine(circle.center() + QPointF(circle.width() * 0.36, circle.height() * 0.36), r.bottomRight());
    }

    void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& r)
    {
        const QColor ink(40, 52, 76);
        p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        const qreal w = r.width();
        switch (glyph) {
        case Glyph::Import:
            DrawPage(p, QRectF(r.left() + w * 0.35, r.top() + 2, w * 0.5, r.height() - 4));
            p.setPen(QPen(QColor(30, 140, 60), 2));
            Arrow(p, QPointF(r.left() + 1, c.y()), QPointF(c.x() + 2, c.y()));
            break;
        case Glyph::Export:
            DrawPage(p, QRectF(r.left() + 1, r.top() + 2, w * 0.5, r.height() - 4));
            p.setPen(QPen(QColor(200, 90, 20), 2));
            Arrow(p, QPointF(c.x() - 2, c.y()), QPointF(r.right(), c.y()));
            break;
        case Glyph::Print:
            p.setBrush(QColor(200, 204, 212));
            p.drawRoundedRect(QRectF(r.left(), c.y() - 3, w, r.height() * 0.4), 2, 2);
            DrawPage(p, QRectF(r.left() + w * 0.22, r.top() + 1, w * 0.56, r.height() * 0.42));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(r.left() + w * 0.22, c.y() + 2, w * 0.56, r.height() * 0.35));
            break;
        case Glyph::AddNote:
            p.setBrush(QColor(255, 244, 170));
            p.drawRect(QRectF(r.left() + 1, r.top() + 1, w * 0.7, r.height() * 0.8));
            p.setPen(QPen(QColor(30, 140, 60), 2.5));
            p.drawLine(QPointF(r.right() - 5, r.bottom() - 10), QPointF(r.right() - 5, r.bottom()));
            p.drawLine(QPointF(r.right() - 10, r.bottom() - 5), QPointF(r.right(), r.bottom() - 5));
            break;
        case Glyph::Sources:
            p.setBrush(QColor(150, 60, 50));
            p.drawRect(QRectF(r.left() + 2, r.top() + 1, w * 0.4, r.height() - 2));
            p.setBrush(QColor(50, 90, 150));
            p.drawRect(QRectF(c.x(), r.top() + 3, w * 0.4, r.height() - 4));
            break;
        case Glyph::Categories:
            p.drawLine(QPointF(r.left() + 3, r.top() + 4), QPointF(r.left() + 3, r.bottom() - 3));
            for (qreal y : {r.top() + 4, c.y(), r.bottom() - 3}) {
                p.drawLine(QPointF(r.left() + 3, y), QPointF(r.left() + 8, y));
                p.setBrush(QColor(240, 200, 80));
                p.drawRect(QRectF(r.left() + 8, y - 3, w - 10, 6));
            }
            break;
        case Glyph::Clear:
            p.setPen(QPen(QColor(190, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(r.topLeft() + QPointF(3, 3), r.bottomRight() - QPointF(3, 3));
            p.drawLine(r.topRight() + QPointF(-3, 3), r.bottomLeft() + QPointF(3, -3));
            break;
        case Glyph::SearchDatabase:
            DrawMagnifier(p, r, QColor(200, 225, 255));
            break;
        case Glyph::SearchCurrent:
            DrawMagnifier(p, r, QColor(255, 232, 170));
            break;
        case Glyph::Dropdown: {
            QPolygonF tri;
            tri << QPointF(r.left(), c.y() - 2) << QPointF(r.right(), c.y() - 2) << QPointF(c.x(), c.y() + 3);
            p.setBrush(ink);
            p.drawPolygon(tri);
            break;
        }
        case Glyph::Online: {
            p.setBrush(QColor(120, 180, 240));
            const QRectF globe(r.left() + 1, r.top() + 1, w - 2, r.height() - 2);
            p.drawEllipse(globe);
            p.drawEllipse(QRectF(c.x() - w * 0.2, globe.top(), w * 0.4, globe.height()));
            p.drawLine(QPointF(globe.left(), c.y()), QPointF(globe.right(), c.y()));
            break;
        }
        case Glyph::ImageZoomIn:
        case Glyph::ImageZoomOut:
            p.drawLine(QPointF(r.left() + 2, c.y()), QPointF(r.right() - 2, c.y()));
            if (glyph == Glyph::ImageZoomIn)
                p.drawLine(QPointF(c.x(), r.top() + 2), QPointF(c.x(), r.bottom() - 2));
            break;
        case Glyph::ImageShiftLeft:
            Arrow(p, QPointF(r.right() - 1, c.y()), QPointF(r.left() + 1, c.y()));
            break;
        case Glyph::ImageShiftRight:
            Arrow(p, QPointF(r.left() + 1, c.y()), QPointF(r.right() - 1, c.y()));
            break;
        case Glyph::ImageRestore:
            p.drawRect(r.adjusted(2, 2, -2, -2));
            break;
        }
    }

} // namespace

QPixmap Make(Glyph glyph, State state, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face(0, 0, size.width(), size.height());
    DrawFace(p, face, state);
    const qreal margin = std::max<qreal>(2, std::min(size.width(), size.height()) * 0.18);
    QRectF inner = face.adjusted(margin, margin, -margin, -margin);
    if (state == State::Pressed)
        inner.translate(1, 1); // the glyph sinks in with the face
    DrawGlyph(p, glyph, inner);
    return pixmap;
}

} // namespace SkinBitmaps
