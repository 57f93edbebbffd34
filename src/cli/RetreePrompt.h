#pragma once

#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"

#include <QJsonArray>

// The category editor's questions and name entries without windows: questions take the
// scripted answers in order (yes once they run out), messages are collected, and each
// edit hands over the one name its command asks for. A name asked for without a Cancel
// button (the "Rename Category" of a merge answered no) keeps the name it had.
class RetreePrompt : public UserPrompt, public NamePrompt
{
public:
    explicit RetreePrompt(QList<bool> answers);

    // The name the next cancellable entry returns; any name left from an earlier edit is
    // dropped.
    void SetEditName(const QString& name);
    void ClearEditName() { m_name.reset(); }

    Answer Ask(const QString& text, const QString& caption, Buttons buttons, Icon icon) override;
    std::optional<QString> AskName(const QString& caption, const QString& initial, bool canCancel) override;

    // [[caption, text]] and [[caption, text, answer]], answer "yes" or "no".
    const QJsonArray& Messages() const { return m_messages; }
    const QJsonArray& Questions() const { return m_questions; }

private:
    QList<bool> m_answers;
    std::optional<QString> m_name;
    QJsonArray m_messages;
    QJsonArray m_questions;
};
