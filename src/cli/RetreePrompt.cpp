#include "cli/RetreePrompt.h"

RetreePrompt::RetreePrompt(QList<bool> answers)
    : m_answers(std::move(answers))
{
}

void RetreePrompt::SetEditName(const QString& name)
{
    m_name = name;
}

UserPrompt::Answer RetreePrompt::Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon)
{
    (void)icon;
    if (buttons == Buttons::Ok) {
        m_messages.append(QJsonArray {caption, text});
        return Answer::Ok;
    }
    const bool yes = m_answers.isEmpty() ? true : m_answers.takeFirst();
    m_questions.append(QJsonArray {caption, text, yes ? QStringLiteral("yes") : QStringLiteral("no")});
    return yes ? Answer::Yes : Answer::No;
}

std::optional<QString> RetreePrompt::AskName(const QString& caption, const QString& initial, bool canCancel)
{
    (void)caption;
    if (!canCancel)
        return initial.trimmed();
    if (!m_name)
        return std::nullopt;
    const QString name = m_name->trimmed();
    m_name.reset();
    return name;
}
