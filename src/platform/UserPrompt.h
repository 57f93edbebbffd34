#pragma once

#include <QString>

// Every question and message of the core goes through this interface: the desktop
// program shows a message box with the exact text, caption, buttons and icon; the
// command line and the tests answer from a script.
class UserPrompt
{
public:
    enum class Buttons
    {
        Ok,
        YesNo,
        YesNoCancel,
        OkCancel
    };
    enum class Icon
    {
        None,
        Question,
        Warning,
        Information,
        Error
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
        Cancel
    };

    virtual ~UserPrompt() = default;
    virtual Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) = 0;

    bool AskYesNo(const QString& text, const QString& caption)
    {
        return Ask(text, caption, Buttons::YesNo, Icon::Question) == Answer::Yes;
    }
    void Tell(const QString& text, const QString& caption, Icon icon)
    {
        Ask(text, caption, Buttons::Ok, icon);
    }
};

// The user of a front end that shows nothing (the command line, the agent): every
// question gets the same answer (Yes unless told otherwise), every message Ok; the last
// text shown is kept, so that a refusal can be reported as an error.
class SilentPrompt : public UserPrompt
{
public:
    explicit SilentPrompt(Answer answer = Answer::Yes)
        : m_answer(answer)
    {
    }
    const QString& LastText() const { return m_lastText; }

    Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override
    {
        (void)caption, (void)icon;
        m_lastText = text;
        return buttons == Buttons::Ok ? Answer::Ok : m_answer;
    }

private:
    Answer m_answer;
    QString m_lastText;
};
