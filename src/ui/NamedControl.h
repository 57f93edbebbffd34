#pragma once

#include <QPushButton>
#include <QString>
#include <QWidget>

// A control as every control of the program is made: an object name for the tests, an
// accessible name for the screen reader and a tool tip.
template<typename Widget>
Widget* NamedControl(Widget* widget, const char* objectName, const QString& name, const QString& tip)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(name);
    widget->setToolTip(tip);
    return widget;
}

// A dialog's push button, named by its text; Enter in the dialog does not press it.
inline QPushButton* NamedButton(const QString& text, const char* objectName, const QString& tip,
                                QWidget* parent)
{
    auto* button = NamedControl(new QPushButton(text, parent), objectName, text, tip);
    button->setAutoDefault(false);
    return button;
}
