#pragma once

#include <QCheckBox>
#include <QString>

// A check box of an options page: named for the tests and the screen reader, with its
// tool tip and its stored state.
inline QCheckBox* MakeOptionCheckBox(QWidget* parent, const QString& text, const QString& tip,
                                     const char* name, bool on)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(text);
    box->setToolTip(tip);
    box->setChecked(on);
    return box;
}
