#pragma once

#include "ui/CZol3StageButton.h"

// The tall strip at the side of the main window that shows or hides the control bar: a
// click sends command 12838 to the main frame. It is drawn in pieces along its height
// over a plain face: an arrow at the top telling which way a click goes, a grip in the
// middle, and the same arrow at the bottom; lighter under the pointer, darker while held.
class CShowCtrlBarButton : public CZol3StageButton
{
    Q_OBJECT
public:
    explicit CShowCtrlBarButton(QWidget* parent = nullptr);
    // Whether the bar is shown now: the arrows point to where a click moves it.
    void SetBarShown(bool shown);
    bool BarShown() const { return m_barShown; }
    QSize sizeHint() const override { return QSize(14, 200); }
    QSize minimumSizeHint() const override { return QSize(14, 60); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawArrow(QPainter& painter, int centreY) const;

    bool m_barShown = true;
};
