#include "editor/CSpellMarker.h"

#include "editor/SpellService.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Results of one paragraph, kept with the paragraph but outside its formats.
class SpellBlockData : public QTextBlockUserData
{
public:
    int revision = -1;
    QList<SpellWord> marks;
    QStringList words;
};

SpellBlockData* DataOf(const QTextBlock& block)
{
    return dynamic_cast<SpellBlockData*>(block.userData());
}

constexpr int kTypingPause = 250;
constexpr qint64 kSliceMs = 6;

} // namespace

CSpellMarker::CSpellMarker(QTextEdit& edit, SpellChecker& checker)
    : QObject(&edit)
    , m_edit(edit)
    , m_checker(checker)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!CheckSome(kSliceMs))
            Schedule(0);
    });
    connect(edit.document(), &QTextDocument::contentsChange, this, &CSpellMarker::ContentsChanged);
    connect(&edit, &QTextEdit::cursorPositionChanged, this, &CSpellMarker::CaretMoved);
    Schedule(0);
}

CSpellMarker::~CSpellMarker()
{
    for (QTextBlock block = m_edit.document()->begin(); block.isValid(); block = block.next())
        if (DataOf(block))
            block.setUserData(nullptr);
}

void CSpellMarker::Schedule(int delay)
{
    if (!m_timer.isActive() || delay == 0)
        m_timer.start(delay);
}

void CSpellMarker::ContentsChanged(int position, int removed, int added)
{
    // Marks after the edit in the same paragraph move with their words, so that they do
    // not flicker before the paragraph is checked again.
    QTextBlock block = m_edit.document()->findBlock(position);
    if (SpellBlockData* data = DataOf(block)) {
        const int offset = position - block.position();
        for (int i = int(data->marks.size()) - 1; i >= 0; --i) {
            SpellWord& mark = data->marks[i];
            if (mark.start >= offset + removed)
                mark.start += added - removed;
            else if (mark.start + mark.length >= offset) {
                data->marks.removeAt(i);
                data->words.removeAt(i);
            }
        }
    }
    if (removed != 0 || added != 0)
        Schedule(kTypingPause);
}

void CSpellMarker::CaretMoved()
{
    if (m_skippedEnd < 0 || m_edit.textCursor().position() == m_skippedEnd)
        return;
    QTextBlock block
        = m_edit.document()->findBlock(std::min(m_skippedEnd, m_edit.document()->characterCount() - 1));
    m_skippedEnd = -1;
    if (SpellBlockData* data = DataOf(block))
        data->revision = -1;
    Schedule(kTypingPause);
}

bool CSpellMarker::CheckSome(qint64 budgetMs)
{
    QElapsedTimer clock;
    clock.start();
    for (QTextBlock block = m_edit.document()->begin(); block.isValid(); block = block.next()) {
        const SpellBlockData* data = DataOf(block);
        if (data && data->revision == block.revision())
            continue;
        CheckBlock(block);
        if (budgetMs >= 0 && clock.elapsed() >= budgetMs)
            return false;
    }
    return true;
}

void CSpellMarker::CheckNow()
{
    m_timer.stop();
    CheckSome(-1);
}

void CSpellMarker::CheckBlock(QTextBlock& block)
{
    auto* data = DataOf(block);
    if (!data) {
        data = new SpellBlockData;
        block.setUserData(data);
    }
    const QString text = block.text();
    QList<SpellWord> marks = m_checker.Misspelled(text);
    const int caret = m_edit.textCursor().position() - block.position();
    m_skippedEnd = -1;
    for (int i = int(marks.size()) - 1; i >= 0; --i) {
        // The word being typed is not judged before it is finished.
        if (m_edit.hasFocus() && marks[i].start + marks[i].length == caret
            && !m_edit.textCursor().hasSelection()) {
            m_skippedEnd = block.position() + caret;
            marks.removeAt(i);
        }
    }
    QStringList words;
    for (const SpellWord& mark : marks)
        words << text.mid(mark.start, mark.length);
    data->revision = block.revision();
    const bool changed = marks != data->marks || words != data->words;
    data->marks = marks;
    data->words = words;
    if (changed)
        emit MarksChanged(block);
}

QList<SpellWord> CSpellMarker::MarksOf(const QTextBlock& block) const
{
    QList<SpellWord> marks;
    const SpellBlockData* data = DataOf(block);
    if (!data)
        return marks;
    const QString text = block.text();
    for (int i = 0; i < data->marks.size(); ++i)
        if (text.mid(data->marks[i].start, data->marks[i].length) == data->words[i])
            marks << data->marks[i];
    return marks;
}

QTextCharFormat CSpellMarker::MarkFormat()
{
    const int style = SpellService::MarkStyle();
    QTextCharFormat format;
    format.setForeground(SpellService::MarkColour());
    if (style & SpellService::MarkBold)
        format.setFontWeight(QFont::Bold);
    if (style & SpellService::MarkItalics)
        format.setFontItalic(true);
    if (style & SpellService::MarkUnderline) {
        format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        format.setUnderlineColor(SpellService::MarkColour());
    }
    if (style & SpellService::MarkStrike)
        format.setFontStrikeOut(true);
    return format;
}

void CSpellMarker::RecheckAll()
{
    for (QTextBlock block = m_edit.document()->begin(); block.isValid(); block = block.next())
        if (SpellBlockData* data = DataOf(block))
            data->revision = -1;
    Schedule(0);
}

void CSpellMarker::ClearMarks()
{
    m_timer.stop();
    m_skippedEnd = -1;
    for (QTextBlock block = m_edit.document()->begin(); block.isValid(); block = block.next()) {
        if (SpellBlockData* data = DataOf(block); data && !data->marks.isEmpty()) {
            data->marks.clear();
            data->words.clear();
            emit MarksChanged(block);
        }
    }
}
