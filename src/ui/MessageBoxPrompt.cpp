#include "ui/MessageBoxPrompt.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButtons ToButtons(UserPrompt::Buttons buttons)
{
    switch (buttons) {
    case UserPrompt::Buttons::Ok:
        return QMessageBox::Ok;
    case UserPrompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case UserPrompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case UserPrompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(UserPrompt::Icon icon)
{
    switch (icon) {
    case UserPrompt::Icon::None:
        return QMessageBox::NoIcon;
    case UserPrompt::Icon::Question:
        return QMessageBox::Question;
    case UserPrompt::Icon::Warning:
        return QMessageBox::Warning;
    case UserPrompt::Icon::Information:
        return QMessageBox::Information;
    case UserPrompt::Icon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

UserPrompt::Answer MessageBoxPrompt::Ask(const QString& text, const QString& caption, Buttons buttons,
                                         Icon icon)
{
    if (m_beforeShow)
        m_beforeShow();
    QMessageBox box(ToIcon(icon), caption, text, ToButtons(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Closing a question box with the window's close button counts as its safe answer.
        if (buttons == Buttons::YesNo)
            return Answer::No;
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}
