#pragma once

#include <QList>
#include <QString>
#include <optional>

// The short text-entry dialog that asks for a name: a caption, one field "New Name:" that
// starts with a given text, a "Save" button and, where the caller allows it, a "Cancel"
// button. The desktop program shows the dialog; the command line and the tests answer
// from a script.
class NamePrompt
{
public:
    virtual ~NamePrompt() = default;
    // The text entered, trimmed of blanks at both ends; none when the user cancelled
    // (only possible with canCancel).
    virtual std::optional<QString> AskName(const QString& caption, const QString& initial, bool canCancel)
        = 0;
};

// Answers from a queue of names; when the queue is empty a cancellable question is
// cancelled and any other keeps the text it started with. Records every caption asked.
class ScriptedNamePrompt : public NamePrompt
{
public:
    void SetNextName(const QString& name) { m_names.append(name); }
    const QList<QString>& Captions() const { return m_captions; }

    std::optional<QString> AskName(const QString& caption, const QString& initial, bool canCancel) override
    {
        m_captions.append(caption);
        if (!m_names.isEmpty())
            return m_names.takeFirst().trimmed();
        if (canCancel)
            return std::nullopt;
        return initial.trimmed();
    }

private:
    QList<QString> m_names;
    QList<QString> m_captions;
};
