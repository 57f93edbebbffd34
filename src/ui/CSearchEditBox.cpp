#include "ui/CSearchEditBox.h"

#include <QKeyEvent>
#include <QTimer>

CSearchEditBox::CSearchEditBox(QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(QStringLiteral("searchEdit"));
    m_typingFont = QFont(QStringLiteral("Arial"));
    m_typingFont.setPixelSize(17);
    m_typingFont.setWeight(QFont::DemiBold); // 600
    m_hintFont = QFont(QStringLiteral("Arial"));
    m_hintFont.setPixelSize(16);
    m_hintFont.setWeight(QFont::Normal);
    m_hintFont.setItalic(true);
    ShowHint();
}

void CSearchEditBox::ShowHint()
{
    m_hasUserText = false;
    setFont(m_hintFont);
    QPalette pal = palette();
    pal.setColor(QPalette::Text, QColor(120, 120, 120));
    setPalette(pal);
    setText(HintText());
}

void CSearchEditBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_hasUserText) {
        // Selecting inside the focus event is undone by the click that gave the focus.
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
        return;
    }
    setFont(m_typingFont);
    setPalette(QPalette());
    clear();
    m_hasUserText = true;
}

void CSearchEditBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (text().trimmed().isEmpty())
        ShowHint();
}

void CSearchEditBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit RunRequested(kRunRequest, kRunRequest);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
