#include "ui/StatusPane.h"

StatusPane::StatusPane(const QString& name, const QString& tip, QWidget* parent)
    : QLabel(parent)
{
    setAccessibleName(name);
    setToolTip(tip);
}

void StatusPane::ShowText(const QString& text)
{
    setText(text);
    // The blanks that pad the pane on the screen mean nothing read aloud.
    setAccessibleName(text.simplified());
}
