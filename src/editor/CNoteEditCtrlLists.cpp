// The paragraph and list commands of the note's rich-text control.
#include "editor/CNoteEditCtrl.h"
#include "editor/widgets/RichDocumentMapper.h"

#include <QTextBlock>

namespace {

constexpr int kNumberTab = 300;

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
    RichDocumentMapper::SetParagraphFormat(format, paragraph);
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
        RichParagraphFormat paragraph = BlockFormatOf(block);
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
        const int current = p.list.IsNumbered() ? p.list.start : 1;
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
    const RichListFormat list = BlockFormatOf(textCursor().block()).list;
    if (list.IsNumbered())
        SetNumberStart(up ? list.start + 1 : list.start - 1);
}

void CNoteEditCtrl::SetNumberStart(int start)
{
    QTextBlock block = textCursor().block();
    const RichListFormat list = BlockFormatOf(block).list;
    if (!list.IsNumbered())
        return;
    const int lowest = list.style == RichListStyle::Arabic ? 0 : 1;
    start = std::max(lowest, start);
    if (start == list.start)
        return;
    // The whole run of the list shares its start.
    while (block.previous().isValid() && BlockFormatOf(block.previous()).list == list)
        block = block.previous();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (; block.isValid() && BlockFormatOf(block).list == list; block = block.next()) {
        RichParagraphFormat paragraph = BlockFormatOf(block);
        paragraph.list.start = start;
        cursor.setPosition(block.position());
        SetBlockParagraph(cursor, paragraph);
    }
    cursor.endEditBlock();
    viewport()->update();
    emit FormatStateChanged();
}

void CNoteEditCtrl::ContinueNumbering()
{
    const QTextBlock first = document()->findBlock(textCursor().selectionStart());
    QTextBlock above = first.previous();
    while (above.isValid() && !BlockFormatOf(above).list.IsNumbered())
        above = above.previous();
    if (!above.isValid())
        return;
    const RichListFormat aboveList = BlockFormatOf(above).list;
    const bool adjacent = above.next() == first;
    const int start = adjacent ? aboveList.start : RichDocumentMapper::ListNumber(above) + 1;
    ChangeParagraphs([&](RichParagraphFormat& p) {
        if (!p.list.IsList())
            return;
        p.list = aboveList;
        p.list.start = start;
    });
}

RichParagraphFormat CNoteEditCtrl::CurrentParagraph() const
{
    return BlockFormatOf(textCursor().block());
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
        RichParagraphFormat paragraph = BlockFormatOf(block);
        if (!paragraph.list.IsList()) {
            chains.clear();
            previous = RichListFormat();
            continue;
        }
        while (!chains.isEmpty() && chains.last().indent > paragraph.leftIndent)
            chains.removeLast();
        const bool newRun = !(paragraph.list == previous);
        if (newRun && !chains.isEmpty() && chains.last().indent == paragraph.leftIndent
            && SameListKind(chains.last().list, paragraph.list) && paragraph.list.IsNumbered()
            && paragraph.list.start != chains.last().next) {
            // A run that continues a list interrupted by a deeper level: every paragraph
            // of the run takes the continuing start.
            const RichListFormat old = paragraph.list;
            for (QTextBlock b = block; b.isValid() && BlockFormatOf(b).list == old; b = b.next()) {
                RichParagraphFormat p = BlockFormatOf(b);
                p.list.start = chains.last().next;
                cursor.setPosition(b.position());
                SetBlockParagraph(cursor, p);
            }
            paragraph = BlockFormatOf(block);
        }
        if (chains.isEmpty() || chains.last().indent != paragraph.leftIndent)
            chains.append({paragraph.leftIndent, paragraph.list, 0});
        chains.last().list = paragraph.list;
        chains.last().next = RichDocumentMapper::ListNumber(block) + 1;
        previous = paragraph.list;
    }
    cursor.endEditBlock();
    viewport()->update();
}
