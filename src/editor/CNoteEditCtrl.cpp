#include "editor/CNoteEditCtrl.h"

#include "editor/CLinkHighlighter.h"
#include "editor/CSpellMarker.h"
#include "editor/SpellService.h"
#include "editor/widgets/RichDocumentMapper.h"
#include "format/TextCodec.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QUrl>

namespace {

const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

} // namespace

CNoteEditCtrl::CNoteEditCtrl(QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("noteText"));
    setAccessibleName(QStringLiteral("Note text"));
    setToolTip(QStringLiteral("The text of the note"));
    setAcceptRichText(true);
    setTabChangesFocus(false);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    connect(this, &QTextEdit::cursorPositionChanged, this, &CNoteEditCtrl::FormatStateChanged);
    connect(this, &QTextEdit::currentCharFormatChanged, this, &CNoteEditCtrl::FormatStateChanged);
}

CNoteEditCtrl::~CNoteEditCtrl()
{
    // The marker leaves the paragraphs clean while the document still exists.
    delete m_marker;
    m_marker = nullptr;
}

RichParagraphFormat CNoteEditCtrl::BlockFormatOf(const QTextBlock& block)
{
    return RichDocumentMapper::ParagraphFormat(block.blockFormat());
}

void CNoteEditCtrl::Attach(bool linksAllowed, bool spellChecking)
{
    m_linksAllowed = linksAllowed;
    SetSpellChecking(spellChecking);
}

void CNoteEditCtrl::SetSpellChecking(bool on)
{
    m_spellChecking = on;
    if (m_marker) {
        m_marker->ClearMarks();
        delete m_marker;
        m_marker = nullptr;
    }
    if (on && SpellService::Checker())
        m_marker = new CSpellMarker(*this, *SpellService::Checker());
    RebuildHighlighter();
}

void CNoteEditCtrl::RebuildHighlighter()
{
    // The highlighter is made after the marker so that the marker moves its marks with an
    // edit before the highlighter draws the edited paragraph.
    delete m_links;
    m_links = nullptr;
    if (!m_linksAllowed && !m_marker)
        return;
    m_links = new CLinkHighlighter(document(), m_linksAllowed, m_marker);
    if (m_marker)
        connect(m_marker, &CSpellMarker::MarksChanged, m_links, &CLinkHighlighter::rehighlightBlock);
}

void CNoteEditCtrl::RecheckAll()
{
    if (m_marker)
        m_marker->RecheckAll();
}

void CNoteEditCtrl::ClearMarks()
{
    if (m_marker)
        m_marker->ClearMarks();
}

void CNoteEditCtrl::SetDefaultFont(const QFont& font, const QColor& colour)
{
    document()->setDefaultFont(font);
    QTextCharFormat format;
    format.setFontFamilies({font.family()});
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : 12.0);
    if (colour.isValid())
        format.setForeground(colour);
    if (document()->isEmpty())
        setCurrentCharFormat(format);
}

void CNoteEditCtrl::SetRichText(const QString& richText)
{
    const QTextCharFormat typing = currentCharFormat();
    RichDocumentMapper::RtfToDocument(richText, *document());
    if (richText.isEmpty())
        setCurrentCharFormat(typing);
    moveCursor(QTextCursor::Start);
}

QString CNoteEditCtrl::RichText() const
{
    return TextCodec::FromFileBytes(RtfWriter::Write(Model()));
}

RichDocument CNoteEditCtrl::Model() const
{
    return RichDocumentMapper::FromDocument(*document());
}

QString CNoteEditCtrl::PlainText() const
{
    return Model().PlainText();
}

// --- Character formats ------------------------------------------------------------------

void CNoteEditCtrl::MergeCharFormat(const QTextCharFormat& format)
{
    mergeCurrentCharFormat(format);
}

void CNoteEditCtrl::ClearCharProperty(int property)
{
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        QTextCharFormat format = currentCharFormat();
        format.clearProperty(property);
        setCurrentCharFormat(format);
        return;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    cursor.beginEditBlock();
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = std::max(start, fragment.position());
            const int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to)
                continue;
            QTextCursor part(document());
            part.setPosition(from);
            part.setPosition(to, QTextCursor::KeepAnchor);
            QTextCharFormat format = fragment.charFormat();
            format.clearProperty(property);
            part.setCharFormat(format);
        }
    }
    cursor.endEditBlock();
}

void CNoteEditCtrl::SetBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetTextColour(const QColor& colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetHighlight(const QColor& colour)
{
    if (colour.rgb() == QColor(Qt::white).rgb()) {
        ClearCharProperty(QTextFormat::BackgroundBrush);
        return;
    }
    QTextCharFormat format;
    format.setBackground(colour);
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetFaceName(const QString& name)
{
    if (name.trimmed().isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies({name.trimmed()});
    MergeCharFormat(format);
}

void CNoteEditCtrl::SetPointSize(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat format;
    // Sizes are kept in half points.
    format.setFontPointSize(qRound(points * 2) / 2.0);
    MergeCharFormat(format);
}

// --- Painting, links, menu --------------------------------------------------------------

void CNoteEditCtrl::paintEvent(QPaintEvent* event)
{
    QTextEdit::paintEvent(event);
    PaintListLabels();
}

void CNoteEditCtrl::PaintListLabels()
{
    QPainter painter(viewport());
    const QPointF offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const QFont base = document()->defaultFont();
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const RichParagraphFormat paragraph = RichDocumentMapper::ParagraphFormat(block.blockFormat());
        if (!paragraph.list.IsList() || !block.layout() || block.layout()->lineCount() == 0)
            continue;
        const QTextCharFormat chars
            = block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
        QFont font = chars.font().resolve(base);
        painter.setFont(font);
        painter.setPen(chars.hasProperty(QTextFormat::ForegroundBrush) ? chars.foreground().color()
                                                                       : palette().color(QPalette::Text));
        const QTextLine line = block.layout()->lineAt(0);
        const QPointF origin = block.layout()->position() + offset;
        const qreal x = origin.x() + RichDocumentMapper::Pixels(RichDocumentMapper::LabelIndent(paragraph));
        const qreal y = origin.y() + line.y() + line.ascent();
        if (y - line.ascent() > viewport()->height() || y + line.descent() < 0)
            continue;
        painter.drawText(QPointF(x, y), RichDocumentMapper::ListLabel(block));
    }
}

QString CNoteEditCtrl::LinkAt(QPoint viewportPos) const
{
    const QString anchor = anchorAt(viewportPos);
    if (!anchor.isEmpty())
        return anchor;
    if (!m_linksAllowed)
        return QString();
    const QTextCursor cursor = cursorForPosition(viewportPos);
    const QTextBlock block = cursor.block();
    // cursorForPosition gives the nearest gap; the character under the mouse is on either side.
    const QRect caret = cursorRect(cursor);
    const int inBlock = cursor.position() - block.position() - (viewportPos.x() < caret.x() ? 1 : 0);
    return CLinkHighlighter::LinkIn(block.text(), std::max(0, inBlock));
}

void CNoteEditCtrl::mouseMoveEvent(QMouseEvent* event)
{
    QTextEdit::mouseMoveEvent(event);
    const QString link = LinkAt(event->position().toPoint());
    viewport()->setCursor(link.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
    if (link != m_linkText) {
        m_linkText = link;
        emit FormatStateChanged();
    }
}

void CNoteEditCtrl::OpenLink(const QString& link)
{
    if (link.isEmpty())
        return;
    if (m_openLink) {
        m_openLink(link);
        return;
    }
    QUrl url = QUrl::fromUserInput(link);
    QDesktopServices::openUrl(url);
}

void CNoteEditCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The spelling menu of a marked word comes first; when it changed the text the
    // control's own menu is not shown.
    if (m_marker && m_marker->ShowMenu(event->pos(), event->globalPos()) > 0) {
        moveCursor(QTextCursor::Start);
        viewport()->update();
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("noteTextMenu"));
    const QString link = LinkAt(event->pos());
    if (!link.isEmpty()) {
        QAction* open = menu.addAction(QStringLiteral("Open Link"));
        open->setObjectName(QStringLiteral("actionOpenLink"));
        connect(open, &QAction::triggered, this, [this, link] { OpenLink(link); });
        menu.addSeparator();
    }
    const bool selected = textCursor().hasSelection();
    QAction* cutAction = menu.addAction(QStringLiteral("Cut"), this, &QTextEdit::cut);
    cutAction->setObjectName(QStringLiteral("actionCut"));
    cutAction->setEnabled(selected);
    QAction* copyAction = menu.addAction(QStringLiteral("Copy"), this, &QTextEdit::copy);
    copyAction->setObjectName(QStringLiteral("actionCopy"));
    copyAction->setEnabled(selected);
    QAction* pasteAction = menu.addAction(QStringLiteral("Paste"), this, &QTextEdit::paste);
    pasteAction->setObjectName(QStringLiteral("actionPaste"));
    pasteAction->setEnabled(canPaste());
    menu.exec(event->globalPos());
}

// --- Clipboard --------------------------------------------------------------------------

bool CNoteEditCtrl::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasFormat(kRtfMime) || source->hasFormat(kRtfMimeAlt)
        || QTextEdit::canInsertFromMimeData(source);
}

void CNoteEditCtrl::insertFromMimeData(const QMimeData* source)
{
    // Rich text from anywhere comes in through the note's own model, so only what a note
    // can keep arrives: no pictures, tables or styles the control cannot show or store.
    if (source->hasFormat(kRtfMime) || source->hasFormat(kRtfMimeAlt)) {
        const QByteArray rtf = source->data(source->hasFormat(kRtfMime) ? kRtfMime : kRtfMimeAlt);
        InsertModel(RtfReader::Read(rtf));
    } else if (source->hasHtml()) {
        QTextDocument scratch;
        scratch.setDefaultFont(document()->defaultFont());
        QTextCursor(&scratch).insertFragment(QTextDocumentFragment::fromHtml(source->html()));
        RichDocument model = RichDocumentMapper::FromDocument(scratch);
        // Paragraph spacing and indents of web pages are not a note's.
        for (RichParagraph& paragraph : model.paragraphs) {
            const RichParagraphFormat::Alignment alignment = paragraph.format.alignment;
            paragraph.format = RichParagraphFormat();
            paragraph.format.alignment = alignment;
        }
        InsertModel(model);
    } else if (source->hasText()) {
        textCursor().insertText(source->text());
    }
    ensureCursorVisible();
}

void CNoteEditCtrl::InsertModel(const RichDocument& model)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    bool first = true;
    for (const RichParagraph& paragraph : model.paragraphs) {
        if (!first) {
            QTextBlockFormat format;
            RichDocumentMapper::SetParagraphFormat(format, paragraph.format);
            cursor.insertBlock(format);
        }
        first = false;
        for (const RichRun& run : paragraph.runs)
            cursor.insertText(run.text, RichDocumentMapper::TextCharFormat(run.format));
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
}

QMimeData* CNoteEditCtrl::createMimeDataFromSelection() const
{
    QMimeData* data = QTextEdit::createMimeDataFromSelection();
    QTextDocument scratch;
    scratch.setDefaultFont(document()->defaultFont());
    QTextCursor(&scratch).insertFragment(textCursor().selection());
    data->setData(kRtfMime, RtfWriter::Write(RichDocumentMapper::FromDocument(scratch)));
    return data;
}
