#include "ui/SkinBitmaps.h"

#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <array>
#include <memory>

// A library's resources are registered by hand: nothing else would pull them out of the
// static library.
static void InitSkinResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(skin);
        return true;
    }();
    (void)done;
}

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

    // The glyphs are drawn at the size of the inner rectangle from SVG files in the
    // resources (skin.qrc), in the order of Glyph.
    const char* const kGlyphFiles[] = {
        ":/skin/import.svg",   ":/skin/export.svg",          ":/skin/print.svg",
        ":/skin/add-note.svg", ":/skin/sources.svg",         ":/skin/categories.svg",
        ":/skin/clear.svg",    ":/skin/search-database.svg", ":/skin/search-current.svg",
        ":/skin/dropdown.svg", ":/skin/online.svg",          ":/skin/zoom-in.svg",
        ":/skin/zoom-out.svg", ":/skin/shift-left.svg",      ":/skin/shift-right.svg",
        ":/skin/restore.svg",
    };
    constexpr int kGlyphCount = int(sizeof kGlyphFiles / sizeof kGlyphFiles[0]);
    static_assert(kGlyphCount == static_cast<int>(Glyph::ImageRestore) + 1, "one file per glyph");

    // Each file is parsed once; the buttons and the note view ask for glyphs often.
    QSvgRenderer& Renderer(Glyph glyph)
    {
        static std::array<std::unique_ptr<QSvgRenderer>, kGlyphCount> renderers;
        const int index = std::clamp(static_cast<int>(glyph), 0, kGlyphCount - 1);
        if (!renderers[index]) {
            InitSkinResources();
            renderers[index] = std::make_unique<QSvgRenderer>(QString::fromLatin1(kGlyphFiles[index]));
        }
        return *renderers[index];
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
    Renderer(glyph).render(&p, inner);
    return pixmap;
}

} // namespace SkinBitmaps
