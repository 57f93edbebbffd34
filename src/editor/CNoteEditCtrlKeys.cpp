// The key rules and list commands of the note's rich-text control.
#include "editor/CNoteEditCtrl.h"
#include "editor/EditorDocumentMapper.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace {

constexpr int kBulletStep = 150;
constexpr int kNumberStep = 300;
constexpr int kNumberTab = 300;

bool IsNumbered(const RichListFormat& list)
{
    return static_cast<int>(list.style) >= static_cast<int>(RichListStyle::Arabic);
}

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

RichParagraphFormat FormatOf(const QTextBlock& block)
{
    return EditorDocumentMapper::ParagraphFormat(block.blockFormat());
}

// The list format without its start: what makes two runs one list.
bool SameListKind(const RichListFormat& a, const RichListFormat& b)
{
    RichListFormat x = a;
    x.start = b.start;
    return x == b;
}

} // namespace

void CNoteEditCtrl::SetBlockParagraph(QTextCursor& cursor, const RichParagraphFormat& paragraph)
{
    QTextBlockFormat format = cursor.blockFormat();
    EditorDocumentMapper::SetParagraphFormat(format, paragraph);
    cursor.setBlockFormat(format);
}

void CNoteEditCtrl::ChangeParagraphs(const std::function<void(RichParagraphFormat&)>& change)
{
    const QTextCursor selection = textCursor();
    QTextBlock block = document()->findBlock(selection.selectionStart());
    const QTextBlock last = document()->findBlock(selection.selectionEnd());
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (; block.isValid(); block = block.next()) {
        RichParagraphFormat paragraph = FormatOf(block);
        change(paragraph);
        cursor.setPosition(block.position());
        SetBlockParagraph(cursor, paragraph);
        if (block == last)
            break;
    }
    cursor.endEditBlock();
    viewport()->update();
    emit FormatStateChanged();
}

void CNoteEditCtrl::AlignLeft()
{
    ChangeParagraphs([](RichParagraphFormat& p) { p.alignment = RichParagraphFormat::Alignment::Left; });
}

void CNoteEditCtrl::AlignCentre()
{
    ChangeParagraphs([](RichParagraphFormat& p) { p.alignment = RichParagraphFormat::Alignment::Centre; });
}

void CNoteEditCtrl::AlignRight()
{
    ChangeParagraphs([](RichParagraphFormat& p) { p.alignment = RichParagraphFormat::Alignment::Right; });
}

void CNoteEditCtrl::SetBullets(bool on, int indent)
{
    ChangeParagraphs([on, indent](RichParagraphFormat& p) {
        p.list = RichListFormat();
        if (on) {
            p.list.style = RichListStyle::Bullet;
            p.leftIndent = std::max(0, indent);
        } else {
            p.leftIndent = 0;
        }
        p.firstLineIndent = 0;
    });
}

void CNoteEditCtrl::SetNumbering(bool on, int style, int start, int levelIndent)
{
    ChangeParagraphs([=](RichParagraphFormat& p) {
        if (!on || style < 2 || style > 6) {
            p.list = RichListFormat();
            p.leftIndent = 0;
            return;
        }
        const int current = IsNumbered(p.list) ? p.list.start : 1;
        p.list.style = static_cast<RichListStyle>(style);
        p.list.start = start == -1 ? current : std::max(0, start);
        p.list.numberTab = kNumberTab;
        p.list.textBefore.clear();
        p.list.textAfter = QStringLiteral(")");
        if (levelIndent >= 0)
            p.leftIndent = levelIndent;
        p.firstLineIndent = 0;
    });
}

void CNoteEditCtrl::StepNumberStart(bool up)
{
    QTextBlock block = textCursor().block();
    const RichListFormat list = FormatOf(block).list;
    if (!IsNumbered(list))
        return;
    const int lowest = list.style == RichListStyle::Arabic ? 0 : 1;
    const int start = up ? list.start + 1 : std::max(lowest, list.start - 1);
    if (start == list.start)
        return;
    // The whole run of the list shares its start.
    while (block.previous().isValid() && FormatOf(block.previous()).list == list)
        block = block.previous();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (; block.isValid() && FormatOf(block).list == list; block = block.next()) {
        RichParagraphFormat paragraph = FormatOf(block);
        paragraph.list.start = start;
        cursor.setPosition(block.position());
        SetBlockParagraph(cursor, paragraph);
    }
    cursor.endEditBlock();
    viewport()->update();
}

void CNoteEditCtrl::ContinueNumbering()
{
    const QTextBlock first = document()->findBlock(textCursor().selectionStart());
    QTextBlock above = first.previous();
    while (above.isValid() && !IsNumbered(FormatOf(above).list))
        above = above.previous();
    if (!above.isValid())
        return;
    const RichListFormat aboveList = FormatOf(above).list;
    const bool adjacent = above.next() == first;
    const int start = adjacent ? aboveList.start : EditorDocumentMapper::ListNumber(above) + 1;
    ChangeParagraphs([&](RichParagraphFormat& p) {
        if (!p.list.IsList())
            return;
        p.list = aboveList;
        p.list.start = start;
    });
}

RichParagraphFormat CNoteEditCtrl::CurrentParagraph() const
{
    return FormatOf(textCursor().block());
}

void CNoteEditCtrl::RenumberLists()
{
    struct Chain
    {
        int indent;
        RichListFormat list;
        int next;
    };
    QList<Chain> chains;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    RichListFormat previous;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        RichParagraphFormat paragraph = FormatOf(block);
        if (!paragraph.list.IsList()) {
            chains.clear();
            previous = RichListFormat();
            continue;
        }
        while (!chains.isEmpty() && chains.last().indent > paragraph.leftIndent)
            chains.removeLast();
        const bool newRun = !(paragraph.list == previous);
        if (newRun && !chains.isEmpty() && chains.last().indent == paragraph.leftIndent
            && SameListKind(chains.last().list, paragraph.list) && IsNumbered(paragraph.list)
            && paragraph.list.start != chains.last().next) {
            // A run that continues a list interrupted by a deeper level: every paragraph
            // of the run takes the continuing start.
            const RichListFormat old = paragraph.list;
            for (QTextBlock b = block; b.isValid() && FormatOf(b).list == old; b = b.next()) {
                RichParagraphFormat p = FormatOf(b);
                p.list.start = chains.last().next;
                cursor.setPosition(b.position());
                SetBlockParagraph(cursor, p);
            }
            paragraph = FormatOf(block);
        }
        if (chains.isEmpty() || chains.last().indent != paragraph.leftIndent)
            chains.append({paragraph.leftIndent, paragraph.list, 0});
        chains.last().list = paragraph.list;
        chains.last().next = EditorDocumentMapper::ListNumber(block) + 1;
        previous = paragraph.list;
    }
    cursor.endEditBlock();
    viewport()->update();
}

// --- Keys -------------------------------------------------------------------------------

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
    arrow.setProperty(EditorDocumentMapper::FontCharset, 2);
    three.insertText(QString(QChar(EditorDocumentMapper::kShownArrow)), arrow);
    // Typing goes on in the font it had before the arrow.
    setTextCursor(three);
    setCurrentCharFormat(before);
    return true;
}

bool CNoteEditCtrl::HandleTab()
{
    QTextCursor cursor = textCursor();
    RichParagraphFormat paragraph = FormatOf(cursor.block());
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
    RichParagraphFormat paragraph = FormatOf(cursor.block());
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
    RichParagraphFormat paragraph = FormatOf(cursor.block());
    if (!paragraph.list.IsList() || !CaretAtBlockStart())
        return false;
    cursor.beginEditBlock();
    if (IsNumbered(paragraph.list)) {
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
