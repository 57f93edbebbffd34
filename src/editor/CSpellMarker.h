#pragma once

#include "platform/SpellChecker.h"

#include <QObject>
#include <QTextCharFormat>
#include <QTimer>

class QMenu;
class QTextBlock;
class QTextEdit;

// Checks the words of a note text control in the background and keeps the misspelled
// ones of each paragraph beside the text (never in its formats): the control's
// highlighter draws them over the text. Paragraphs are checked after a short pause in
// typing, a few milliseconds at a time, so typing never waits for the dictionary; the
// word being typed is left alone until the caret leaves it.
class CSpellMarker : public QObject
{
    Q_OBJECT
public:
    CSpellMarker(QTextEdit& edit, SpellChecker& checker);
    ~CSpellMarker() override;

    // The marks of a paragraph that still match its text.
    QList<SpellWord> MarksOf(const QTextBlock& block) const;
    // The look of a mark from the current style and colour.
    static QTextCharFormat MarkFormat();

    // Forgets every result and checks the whole text again.
    void RecheckAll();
    // Removes every mark.
    void ClearMarks();
    // Checks every paragraph now; for tests and the recheck message.
    void CheckNow();
    bool Busy() const { return m_timer.isActive(); }
    // The misspelled word at a viewport point and its suggestion menu: returns 1 when the
    // chosen entry changed the text, otherwise 0.
    int ShowMenu(QPoint viewportPos, QPoint globalPos);
    // Whether a word of the text at a viewport point is marked.
    bool MarkedAt(QPoint viewportPos, SpellWord* word = nullptr, QTextBlock* block = nullptr) const;

signals:
    // A paragraph's marks changed: its look must be redrawn.
    void MarksChanged(const QTextBlock& block);

private:
    void ContentsChanged(int position, int removed, int added);
    void CaretMoved();
    void Schedule(int delay);
    // Checks dirty paragraphs until the time budget is spent; true when all are done.
    bool CheckSome(qint64 budgetMs);
    void CheckBlock(QTextBlock& block);

    QTextEdit& m_edit;
    SpellChecker& m_checker;
    QTimer m_timer;
    // The end of the word left unchecked because the caret stood at it, or -1.
    int m_skippedEnd = -1;
};
