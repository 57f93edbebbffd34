#pragma once

#include "ui/CZol3StageButton.h"

// A bitmap button that opens a menu: pressing toggles its pressed flag instead of
// setting it, releasing clears only the hover, and leaving clears everything. The owner
// redraws it after the menu has closed.
class CZolCheckBmpBtn : public CZol3StageButton
{
    Q_OBJECT
public:
    explicit CZolCheckBmpBtn(QWidget* parent = nullptr, int commandId = 0);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void OnLeave() override;
};
