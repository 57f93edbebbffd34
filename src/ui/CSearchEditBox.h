#pragma once

#include <QFont>
#include <QLineEdit>

// The search field of the search bar. While it holds no user text it shows the hint
// "Search Notes" in an italic font; focusing it clears the hint so that the hint is never
// searched for. Enter asks the bar to run the search.
class CSearchEditBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit CSearchEditBox(QWidget* parent = nullptr);

    static QString HintText() { return QStringLiteral("Search Notes"); }
    static constexpr int kRunRequest = 2112;
    bool HasUserText() const { return m_hasUserText; }
    // The typed text, or empty while the hint shows.
    QString UserText() const { return m_hasUserText ? text() : QString(); }

    const QFont& TypingFont() const { return m_typingFont; }
    const QFont& HintFont() const { return m_hintFont; }

signals:
    // Enter was pressed; both values are kRunRequest, as the bar's private run request
    // carries.
    void RunRequested(int wParam, int lParam);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowHint();

    QFont m_typingFont;
    QFont m_hintFont;
    bool m_hasUserText = false;
};
