#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QRect>

// A list of citations drawn one under another, each wrapped to the window width with its
// own hanging indent and marks, with a vertical scroll bar. A click selects the source
// under the mouse; a double-click either reports it (picking mode, the bibliography
// lists) or asks for it to be edited. The window shows what it is given: the caller
// formats, filters and sorts.
class CSourcesListWnd : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CSourcesListWnd(int controlId, QWidget* parent = nullptr);

    int ControlId() const { return m_controlId; }
    // The sources to show, formatted, in display order. The selection is kept when the
    // selected source is still shown.
    void SetSources(const SourceList& shown);
    const SourceList& Sources() const { return m_shown; }

    qint32 SelectedSourceId() const { return m_selectedId; }
    // -1 clears the selection; the selected source is scrolled into view.
    void SelectSource(qint32 sourceId);

    // With reports on, a double-click emits SourceDoubleClicked; otherwise EditRequested.
    void SetDoubleClickReports(bool reports) { m_reportsDoubleClick = reports; }

    // Index of the source drawn at a point of the viewport, or -1.
    int IndexAt(QPoint viewportPoint) const;
    // The rectangle of a source in viewport coordinates (for tests and scrolling).
    QRect SourceRect(int index) const;

signals:
    void SourceDoubleClicked(qint32 sourceId, int controlId);
    void EditRequested(qint32 sourceId);
    void SelectionChanged(qint32 sourceId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Relayout();

    struct Entry
    {
        int top = 0;
        int height = 0;
    };

    int m_controlId;
    SourceList m_shown;
    QList<Entry> m_entries;
    qint32 m_selectedId = -1;
    int m_hover = -1;
    bool m_reportsDoubleClick = false;
    int m_totalHeight = 0;
};
