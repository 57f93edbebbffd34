#pragma once

#include "format/SourceRecord.h"

#include <QWidget>

// One source's citation, as it will look, on a light grey ground inside a frame.
class CSourcePreviewWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CSourcePreviewWnd(QWidget* parent = nullptr);
    // The source formatted; redrawn at once.
    void SetSource(const SourceRecord& source);
    const SourceRecord& Source() const { return m_source; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SourceRecord m_source;
};
