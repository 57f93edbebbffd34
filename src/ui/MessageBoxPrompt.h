#pragma once

#include "platform/UserPrompt.h"

#include <functional>

class QWidget;

// The desktop program's questions and messages: a message box with the exact text,
// caption, buttons and icon the core asks for, over the given parent window.
class MessageBoxPrompt : public UserPrompt
{
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }
    void SetParent(QWidget* parent) { m_parent = parent; }
    // Runs before every box: the progress windows stay on top of the main window, and
    // a message must not hide behind them.
    void SetBeforeShow(std::function<void()> beforeShow) { m_beforeShow = std::move(beforeShow); }

    Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;

private:
    QWidget* m_parent;
    std::function<void()> m_beforeShow;
};
