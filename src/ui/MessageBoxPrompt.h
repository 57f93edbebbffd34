#pragma once

#include "platform/UserPrompt.h"

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

    Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;

private:
    QWidget* m_parent;
};
