#pragma once

#include <QLabel>

// A pane of the status bar that shows a count. Its accessible name is the text it shows,
// so that a screen reader hears "Notes In List: 12", not the bare label. Until the first
// text the name is the one given.
class StatusPane : public QLabel
{
    Q_OBJECT
public:
    StatusPane(const QString& name, const QString& tip, QWidget* parent = nullptr);

    void ShowText(const QString& text);
};
