#pragma once

#include <QList>
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

// Answers from a queue (Yes, or Ok for a message, when the queue is empty) and records
// everything asked, so that a test can check the exact wording.
class ScriptedPrompt : public UserPrompt
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        Buttons buttons;
        Icon icon;
    };

    void SetNextAnswer(Answer answer) { m_answers.append(answer); }
    void SetDefaultAnswer(Answer answer) { m_default = answer; }
    const QList<Shown>& History() const { return m_history; }
    QString LastText() const { return m_history.isEmpty() ? QString() : m_history.last().text; }

    Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override
    {
        m_history.append({text, caption, buttons, icon});
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return m_answers.isEmpty() ? m_default : m_answers.takeFirst();
    }

private:
    QList<Answer> m_answers;
    Answer m_default = Answer::Yes;
    QList<Shown> m_history;
};
