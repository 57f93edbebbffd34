// The key rules of the note's rich-text control: lists, the arrow shortcut, arrow keys.
#include "editor/CNoteEditCtrl.h"
#include "editor/widgets/RichDocumentMapper.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace {

constexpr int kBulletStep = 150;
constexpr int kNumberStep = 300;

RichListStyle NextStyle(RichListStyle style)
{
    const int next = static_cast<int>(style) + 1;
    return static_cast<RichListStyle>(next > 6 ? 2 : next);
}

RichListStyle PreviousStyle(RichListStyle style)
{
    const int previous = static_cast<int>(style) - 1;
    return static_cast<RichListStyle>(previous < 2 ? 6 : previous);
}

} // namespace

bool CNoteEditCtrl::CaretAtBlockStart() const
{
    const QTextCursor cursor = textCursor();
    return !cursor.hasSelection() && cursor.positionInBlock() == 0;
}

void CNoteEditCtrl::keyPressEvent(QKeyEvent* event)
{
    if (HandleArrowShortcut(event))
        return;
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    switch (event->key()) {
    case Qt::Key_Tab:
        if (plain && HandleTab())
            return;
        break;
    case Qt::Key_Backspace:
        if (plain && HandleBackspace())
            return;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && HandleEnter())
            return;
        break;
    default:
        break;
    }
    QTextEdit::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit FormatStateChanged();
        break;
    default:
        break;
    }
}

bool CNoteEditCtrl::HandleArrowShortcut(QKeyEvent* event)
{
    const QString typed = event->text();
    if (event->key() == Qt::Key_Shift)
        return false;
    if (typed == QLatin1String("-")) {
        ++m_dashCount;
        return false;
    }
    const int dashes = m_dashCount;
    m_dashCount = 0;
    if (typed != QLatin1String(">") || dashes < 2)
        return false;
    QTextEdit::keyPressEvent(event);
    QTextCursor cursor = textCursor();
    const QTextCharFormat before = currentCharFormat();
    if (cursor.position() < 3)
        return true;
    QTextCursor three = cursor;
    three.setPosition(cursor.position() - 3);
    three.setPosition(cursor.position(), QTextCursor::KeepAnchor);
    if (three.selectedText() != QLatin1String("-->"))
        return true;
    QTextCharFormat arrow = before;
    arrow.setFontFamilies({QStringLiteral("Wingdings")});
    arrow.setProperty(RichDocumentMapper::FontCharset, 2);
    three.insertText(QString(QChar(RichDocumentMapper::kShownArrow)), arrow);
    // Typing goes on in the font it had before the arrow.
    setTextCursor(three);
    setCurrentCharFormat(before);
    return true;
}

bool CNoteEditCtrl::HandleTab()
{
    QTextCursor cursor = textCursor();
    RichParagraphFormat paragraph = BlockFormatOf(cursor.block());
    if (!paragraph.list.IsList() || !CaretAtBlockStart())
        return false;
    if (paragraph.list.style == RichListStyle::Bullet) {
        paragraph.leftIndent += kBulletStep;
    } else {
        paragraph.leftIndent += kNumberStep;
        paragraph.list.style = NextStyle(paragraph.list.style);
        paragraph.list.start = 1;
    }
    SetBlockParagraph(cursor, paragraph);
    RenumberLists();
    return true;
}

bool CNoteEditCtrl::HandleBackspace()
{
    QTextCursor cursor = textCursor();
    RichParagraphFormat paragraph = BlockFormatOf(cursor.block());
    if (!paragraph.list.IsList() || !CaretAtBlockStart())
        return false;
    const bool bullet = paragraph.list.style == RichListStyle::Bullet;
    if (paragraph.leftIndent > 0) {
        paragraph.leftIndent = std::max(0, paragraph.leftIndent - (bullet ? kBulletStep : kNumberStep));
        if (!bullet) {
            paragraph.list.style = PreviousStyle(paragraph.list.style);
            paragraph.list.start = 1;
        }
    } else if (!bullet) {
        paragraph.list = RichListFormat();
        paragraph.leftIndent = 0;
    } else {
        return false;
    }
    SetBlockParagraph(cursor, paragraph);
    RenumberLists();
    return true;
}

bool CNoteEditCtrl::HandleEnter()
{
    QTextCursor cursor = textCursor();
    RichParagraphFormat paragraph = BlockFormatOf(cursor.block());
    if (!paragraph.list.IsList() || !CaretAtBlockStart())
        return false;
    cursor.beginEditBlock();
    if (paragraph.list.IsNumbered()) {
        paragraph.list = RichListFormat();
        paragraph.leftIndent = 0;
    } else if (paragraph.firstLineIndent < 0) {
        // A hanging first line would put the new line's bullet under the old text.
        paragraph.firstLineIndent = -paragraph.firstLineIndent;
    }
    SetBlockParagraph(cursor, paragraph);
    cursor.insertBlock();
    cursor.endEditBlock();
    setTextCursor(cursor);
    RenumberLists();
    return true;
}
