// The suggestion menu of a misspelled word.
#include "editor/CSpellMarker.h"

#include <QMenu>
#include <QTextBlock>
#include <QTextEdit>

bool CSpellMarker::MarkedAt(QPoint viewportPos, SpellWord* word, QTextBlock* blockOut) const
{
    const QTextCursor cursor = m_edit.cursorForPosition(viewportPos);
    const QTextBlock block = cursor.block();
    const int offset = cursor.position() - block.position();
    for (const SpellWord& mark : MarksOf(block)) {
        if (offset >= mark.start && offset <= mark.start + mark.length) {
            if (word)
                *word = mark;
            if (blockOut)
                *blockOut = block;
            return true;
        }
    }
    return false;
}

int CSpellMarker::ShowMenu(QPoint viewportPos, QPoint globalPos)
{
    SpellWord mark;
    QTextBlock block;
    if (!MarkedAt(viewportPos, &mark, &block))
        return 0;
    const QString word = block.text().mid(mark.start, mark.length);
    QMenu menu(&m_edit);
    menu.setObjectName(QStringLiteral("spellMenu"));
    menu.setAccessibleName(QStringLiteral("Spelling suggestions"));
    const QStringList suggestions = m_checker.Suggestions(word);
    for (const QString& suggestion : suggestions) {
        QAction* action = menu.addAction(suggestion);
        action->setData(suggestion);
    }
    if (suggestions.isEmpty())
        menu.addAction(QStringLiteral("(no suggestions)"))->setEnabled(false);
    menu.addSeparator();
    QAction* add = menu.addAction(QStringLiteral("Add to Dictionary"));
    add->setObjectName(QStringLiteral("actionAddToDictionary"));
    QAction* ignore = menu.addAction(QStringLiteral("Ignore All"));
    ignore->setObjectName(QStringLiteral("actionIgnoreAll"));
    QAction* chosen = menu.exec(globalPos);
    if (!chosen)
        return 0;
    if (chosen == add || chosen == ignore) {
        if (chosen == add)
            m_checker.AddToUserDictionary(word);
        else
            m_checker.IgnoreAll(word);
        RecheckAll();
        return 0;
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + mark.start);
    cursor.setPosition(block.position() + mark.start + mark.length, QTextCursor::KeepAnchor);
    cursor.insertText(chosen->data().toString());
    return 1;
}
