#pragma once

#include "platform/UserPrompt.h"

#include <QList>

// A test's user: answers from a queue (Yes, or Ok for a message, when the queue is empty)
// and records everything asked, so that a test can check the exact wording.
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
