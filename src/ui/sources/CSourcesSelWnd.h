#pragma once

#include "ui/sources/CSourcesListWnd.h"

// The two lists of the bibliography dialog: double-clicks always report.
class CSourcesSelWnd : public CSourcesListWnd
{
    Q_OBJECT
public:
    CSourcesSelWnd(int controlId, QWidget* parent = nullptr)
        : CSourcesListWnd(controlId, parent)
    {
        SetDoubleClickReports(true);
    }
};
