#include "ui/RenderedNote.h"

#include "editor/widgets/RichDocumentMapper.h"
#include "format/DataFolder.h"
#include "format/NoteRecord.h"
#include "lists/NoteMatcher.h"
#include "store/ListedNote.h"
#include "ui/SkinBitmaps.h"
#include "ui/sources/CitationPainter.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int ControlSize = 16;
constexpr int AttachmentGap = 6;
constexpr int IconSize = 32;

int SourcePixels(const NoteViewOptions& options)
{
    return std::max(5, options.sourceSize);
}

QFont DecorationFont(const NoteViewOptions& options)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(5, options.sourceSize));
    return font;
}

QFont TitleFont(const FontSetting& setting)
{
    QFont font(setting.FaceName.isEmpty() ? QStringLiteral("Times New Roman") : setting.FaceName);
    font.setPixelSize(std::max(6, setting.Height > 0 ? setting.Height : 12));
    font.setWeight(QFont::Weight(
        std::clamp(setting.Weight / 10 * 10 == setting.Weight ? setting.Weight : 400, 100, 900)));
    font.setItalic(setting.Italic != 0);
    font.setUnderline(setting.Underline != 0);
    return font;
}

std::unique_ptr<QTextDocument> CategoryDocument(const NoteRecord& note, const QFont& font)
{
    QStringList lines;
    for (int level = 0; level < 4; ++level) {
        const QString name = note.Categories.NameAt(level);
        if (name != UnassignedCategoryName())
            lines.append(name);
    }
    if (lines.isEmpty())
        return nullptr;
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    QTextCursor cursor(document.get());
    QTextCharFormat format;
    format.setForeground(QColor(30, 110, 60));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        QTextBlockFormat indent;
        indent.setLeftMargin(i * 14);
        cursor.setBlockFormat(indent);
        cursor.insertText(lines[i], format);
    }
    return document;
}

QPixmap KindIcon(qint32 kind)
{
    QStyle* style = QApplication::style();
    switch (kind) {
    case KindText:
    case KindDocument:
    case KindPdf:
    case KindSpreadsheet:
    case KindHtml:
    case KindCode:
        return style->standardIcon(QStyle::SP_FileIcon).pixmap(IconSize, IconSize);
    case KindMusic:
        return style->standardIcon(QStyle::SP_MediaVolume).pixmap(IconSize, IconSize);
    case KindVideo:
        return style->standardIcon(QStyle::SP_MediaPlay).pixmap(IconSize, IconSize);
    case KindCompressed:
        return style->standardIcon(QStyle::SP_DirIcon).pixmap(IconSize, IconSize);
    default:
        return style->standardIcon(QStyle::SP_FileLinkIcon).pixmap(IconSize, IconSize);
    }
}

SkinBitmaps::Glyph ControlGlyph(int action)
{
    static const SkinBitmaps::Glyph glyphs[] = {
        SkinBitmaps::Glyph::ImageZoomIn, SkinBitmaps::Glyph::ImageZoomOut, SkinBitmaps::Glyph::ImageShiftLeft,
        SkinBitmaps::Glyph::ImageShiftRight, SkinBitmaps::Glyph::ImageRestore};
    return glyphs[action];
}

} // namespace

RenderedNote::RenderedNote(const NoteRecord& note, const NoteViewOptions& options, int width,
                           const DataFolder& folder)
    : m_width(width)
    , m_options(options)
{
    const int inner = std::max(40, width - 2 * (OuterMargin + Padding));
    const QFont decoration = DecorationFont(options);
    if (options.showCats) {
        m_categories = CategoryDocument(note, decoration);
        if (m_categories)
            m_categories->setTextWidth(inner);
    }
    if (options.showSources && note.SourceID > 0 && !note.AttachedSource.CitationText.isEmpty()) {
        // The citation is drawn as every source window draws one, at the source size.
        const CitationPainter citation(SourcePixels(options));
        m_source = citation.Layout(note.AttachedSource, inner);
        m_hasSource = true;
    }
    if (!note.PlainText.isEmpty()) {
        m_text = std::make_unique<QTextDocument>();
        m_text->setDocumentMargin(0);
        // A search's highlighted copy of the text is drawn in place of the text itself.
        const QString rtf = note.Highlight ? HighlightedText(note) : note.RichText;
        RichDocumentMapper::RtfToDisplayDocument(rtf, *m_text, options.zoom);
        m_text->setTextWidth(inner);
    }

    int y = OuterMargin + Padding;
    if (options.catsTop)
        y = PlaceDecoration(m_categories.get(), y, &m_categoryRect);
    if (options.sourceTop)
        y = PlaceSource(y, inner);
    if (m_text) {
        const int height = int(std::ceil(m_text->size().height()));
        m_textRect = QRect(OuterMargin + Padding, y, inner, height);
        y += height + 4;
    }
    y = PlaceAttachments(note, folder, y);
    if (!options.sourceTop)
        y = PlaceSource(y, inner);
    if (!options.catsTop)
        y = PlaceDecoration(m_categories.get(), y, &m_categoryRect);
    m_height = std::max(y, 2 * (OuterMargin + Padding)) + Padding + OuterMargin - 4;
}

RenderedNote::~RenderedNote() = default;

int RenderedNote::PlaceDecoration(QTextDocument* document, int y, QRect* rect)
{
    if (!document)
        return y;
    const int height = int(std::ceil(document->size().height()));
    *rect = QRect(OuterMargin + Padding, y, int(document->textWidth()), height);
    return y + height + 4;
}

int RenderedNote::PlaceSource(int y, int inner)
{
    if (!m_hasSource)
        return y;
    const int height = CitationPainter(SourcePixels(m_options)).Height(m_source);
    m_sourceRect = QRect(OuterMargin + Padding, y, inner, height);
    return y + height + 4;
}

int RenderedNote::PlaceAttachments(const NoteRecord& note, const DataFolder& folder, int y)
{
    const int left = OuterMargin + Padding;
    const int inner = std::max(40, m_width - 2 * (OuterMargin + Padding));
    const QFontMetrics titleMetrics(TitleFont(m_options.imageTitleFont));
    for (int i = 0; i < note.Attachments.size(); ++i) {
        const AttachmentRecord& attachment = note.Attachments[i];
        AttachmentBox box;
        box.index = i;
        box.image = attachment.Kind == KindImage && attachment.ShowImage;
        const QString title = attachment.Title.isEmpty() ? attachment.OriginalName : attachment.Title;
        QPixmap picture;
        if (box.image) {
            QImageReader reader(AttachmentPath(attachment, folder));
            QSize size = reader.size();
            const double scale = attachment.ImageScale * m_options.zoom;
            if (size.isValid() && scale > 0) {
                const QSize shown(std::max(1, int(size.width() * scale)),
                                  std::max(1, int(size.height() * scale)));
                reader.setScaledSize(shown);
                picture = QPixmap::fromImage(reader.read());
                if (picture.isNull())
                    picture = QPixmap(shown);
            } else {
                box.image = false; // an unreadable image shows as a file
            }
        }
        const int titleHeight = title.isEmpty() ? 0 : titleMetrics.height() + 2;
        if (box.image) {
            box.title = QRect(left, y, inner - (ControlSize + 4) * ImageControls::ActionCount, titleHeight);
            int cx = left + inner - ControlSize * ImageControls::ActionCount
                - 4 * (ImageControls::ActionCount - 1);
            for (int a = 0; a < ImageControls::ActionCount; ++a) {
                box.controls[a] = QRect(cx, y, ControlSize, ControlSize);
                cx += ControlSize + 4;
            }
            const int top = y + std::max(titleHeight, ControlSize) + 2;
            box.maxShift = ImageControls::MaxShift(picture.width(), inner);
            const int shift = std::clamp(attachment.AttachmentValue, 0, box.maxShift);
            box.picture = QRect(left + shift, top, std::min(picture.width(), inner), picture.height());
            box.area = QRect(left, y, inner, box.picture.bottom() + 1 - y);
        } else {
            picture = KindIcon(attachment.Kind);
            box.picture = QRect(left, y, IconSize, IconSize);
            box.title = QRect(left + IconSize + 8, y, inner - IconSize - 8, IconSize);
            box.area = QRect(left, y, inner, IconSize);
        }
        m_attachments.append(box);
        m_pictures.append(picture);
        y = box.area.bottom() + 1 + AttachmentGap;
    }
    return y;
}

RenderedNote::Hit RenderedNote::HitTest(QPoint point) const
{
    Hit hit;
    const QRect body(OuterMargin, OuterMargin, m_width - 2 * OuterMargin, m_height - 2 * OuterMargin);
    if (!body.contains(point))
        return hit;
    hit.part = Part::Body;
    for (const AttachmentBox& box : m_attachments) {
        if (box.image) {
            for (int a = 0; a < ImageControls::ActionCount; ++a) {
                if (box.controls[a].contains(point)) {
                    hit.part = Part::ImageControl;
                    hit.attachment = box.index;
                    hit.action = ImageControls::Action(a);
                    return hit;
                }
            }
        }
        if (box.area.contains(point)) {
            hit.part = Part::Attachment;
            hit.attachment = box.index;
            return hit;
        }
    }
    return hit;
}

void RenderedNote::Paint(QPainter& painter, QPoint topLeft, const NoteRecord& note, Look look) const
{
    painter.save();
    painter.translate(topLeft);
    const QRectF card(OuterMargin + 0.5, OuterMargin + 0.5, m_width - 2 * OuterMargin - 1,
                      m_height - 2 * OuterMargin - 1);
    QColor fill = note.JustAdded ? QColor(255, 252, 226) : QColor(Qt::white);
    QColor border(196, 202, 212);
    qreal borderWidth = 1;
    if (look == Look::Hover) {
        border = QColor(110, 160, 220);
    } else if (look == Look::Selected) {
        border = QColor(40, 100, 190);
        borderWidth = 2;
        fill = note.JustAdded ? QColor(250, 248, 220) : QColor(246, 250, 255);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(border, borderWidth));
    painter.setBrush(fill);
    painter.drawRoundedRect(card, 5, 5);
    painter.setRenderHint(QPainter::Antialiasing, false);

    auto drawDocument = [&painter](QTextDocument* document, const QRect& rect) {
        if (!document)
            return;
        painter.save();
        painter.translate(rect.topLeft());
        document->drawContents(&painter, QRectF(0, 0, rect.width(), rect.height()));
        painter.restore();
    };
    drawDocument(m_text.get(), m_textRect);
    if (m_hasSource)
        CitationPainter(SourcePixels(m_options))
            .Paint(painter, m_sourceRect.topLeft(), m_source, QColor(40, 60, 110));
    drawDocument(m_categories.get(), m_categoryRect);

    const QFont titleFont = TitleFont(m_options.imageTitleFont);
    const QColor titleColour(m_options.imageTitleFont.Red, m_options.imageTitleFont.Green,
                             m_options.imageTitleFont.Blue);
    for (int i = 0; i < m_attachments.size(); ++i) {
        const AttachmentBox& box = m_attachments[i];
        if (box.index >= note.Attachments.size())
            continue;
        const AttachmentRecord& attachment = note.Attachments[box.index];
        const QString title = attachment.Title.isEmpty() ? attachment.OriginalName : attachment.Title;
        painter.setFont(titleFont);
        painter.setPen(titleColour);
        painter.drawText(box.title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
        painter.save();
        painter.setClipRect(box.area.adjusted(0, 0, 0, 1));
        painter.drawPixmap(box.picture.topLeft(), m_pictures[i]);
        painter.restore();
        if (box.image) {
            for (int a = 0; a < ImageControls::ActionCount; ++a) {
                painter.drawPixmap(
                    box.controls[a].topLeft(),
                    SkinBitmaps::Make(ControlGlyph(a), SkinBitmaps::State::Normal, box.controls[a].size()));
            }
        }
    }
    painter.restore();
}

int RenderedNote::EstimateHeight(const ListedNote& note, const NoteViewOptions& options, int width)
{
    const int inner = std::max(40, width - 2 * (OuterMargin + Padding));
    const int lineHeight = std::max(8, int(16 * options.zoom));
    const int charsPerLine = std::max(10, int(inner / (7.0 * options.zoom)));
    // Each paragraph's last line is partly filled; the list keeps only the text's shape.
    const int lines = note.TextLines + note.TextChars / charsPerLine;
    int height = 2 * (OuterMargin + Padding) + lines * lineHeight;
    const int decorationLine = std::max(5, options.sourceSize) + 4;
    if (options.showSources && note.SourceID > 0)
        height += 2 * decorationLine;
    if (options.showCats)
        height += note.Categories.AssignedLevelCount() * decorationLine;
    height += note.AttachmentCount * (IconSize + AttachmentGap);
    return height;
}
