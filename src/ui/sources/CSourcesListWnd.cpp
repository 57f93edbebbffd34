#include "ui/sources/CSourcesListWnd.h"

#include "ui/sources/CitationPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int kListMargin = 6;
constexpr int kGap = 8;

} // namespace

CSourcesListWnd::CSourcesListWnd(int controlId, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_controlId(controlId)
{
    setObjectName(QStringLiteral("sourcesList%1").arg(controlId));
    setAccessibleName(QStringLiteral("Sources"));
    setToolTip(QStringLiteral("Click a source to select it"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    viewport()->setBackgroundRole(QPalette::Base);
    verticalScrollBar()->setAccessibleName(QStringLiteral("Scroll sources"));
}

void CSourcesListWnd::SetSources(const SourceList& shown)
{
    m_shown = shown;
    bool stillShown = false;
    for (const SourceRecord& source : m_shown)
        stillShown = stillShown || source.SourceId == m_selectedId;
    if (!stillShown)
        m_selectedId = -1;
    m_hover = -1;
    Relayout();
}

void CSourcesListWnd::SelectSource(qint32 sourceId)
{
    m_selectedId = sourceId;
    for (int i = 0; i < m_shown.size() && i < m_entries.size(); ++i) {
        if (m_shown[i].SourceId != sourceId)
            continue;
        const Entry& entry = m_entries[i];
        QScrollBar* bar = verticalScrollBar();
        if (entry.top < bar->value())
            bar->setValue(entry.top);
        else if (entry.top + entry.height > bar->value() + viewport()->height())
            bar->setValue(entry.top + entry.height - viewport()->height());
        break;
    }
    viewport()->update();
    emit SelectionChanged(m_selectedId);
}

void CSourcesListWnd::Relayout()
{
    const CitationPainter painter(CitationPainter::kSourceWindowPixels);
    const int width = viewport()->width() - 2 * kListMargin;
    m_entries.clear();
    int y = kListMargin;
    for (const SourceRecord& source : m_shown) {
        const int height = std::max(painter.LineHeight(), painter.Height(painter.Layout(source, width)));
        m_entries.append({y, height + kGap});
        y += height + kGap;
    }
    m_totalHeight = y;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(painter.LineHeight());
    verticalScrollBar()->setRange(0, std::max(0, m_totalHeight - viewport()->height()));
    viewport()->update();
}

QRect CSourcesListWnd::SourceRect(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return {};
    const Entry& entry = m_entries[index];
    return QRect(0, entry.top - verticalScrollBar()->value() - kGap / 2, viewport()->width(), entry.height);
}

int CSourcesListWnd::IndexAt(QPoint point) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (SourceRect(i).contains(point))
            return i;
    }
    return -1;
}

void CSourcesListWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const CitationPainter citation(CitationPainter::kSourceWindowPixels);
    const int width = viewport()->width() - 2 * kListMargin;
    const QPalette& colours = palette();
    for (int i = 0; i < m_shown.size(); ++i) {
        const QRect rect = SourceRect(i);
        if (rect.bottom() < 0 || rect.top() > viewport()->height())
            continue;
        const bool selected = m_shown[i].SourceId == m_selectedId;
        if (selected)
            painter.fillRect(rect, colours.color(QPalette::Highlight));
        else if (i == m_hover)
            painter.fillRect(rect, colours.color(QPalette::AlternateBase));
        const QColor ink
            = selected ? colours.color(QPalette::HighlightedText) : colours.color(QPalette::Text);
        citation.Paint(painter, QPoint(kListMargin, rect.top() + kGap / 2),
                       citation.Layout(m_shown[i], width), ink);
    }
}

void CSourcesListWnd::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void CSourcesListWnd::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const int index = IndexAt(event->position().toPoint());
    m_selectedId = index >= 0 ? m_shown[index].SourceId : -1;
    viewport()->update();
    emit SelectionChanged(m_selectedId);
}

void CSourcesListWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int index = IndexAt(event->position().toPoint());
    if (index < 0)
        return;
    m_selectedId = m_shown[index].SourceId;
    viewport()->update();
    if (m_reportsDoubleClick)
        emit SourceDoubleClicked(m_selectedId, m_controlId);
    else
        emit EditRequested(m_selectedId);
}

void CSourcesListWnd::mouseMoveEvent(QMouseEvent* event)
{
    const int index = IndexAt(event->position().toPoint());
    if (index != m_hover) {
        m_hover = index;
        viewport()->update();
    }
}

void CSourcesListWnd::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    m_hover = -1;
    viewport()->update();
}

void CSourcesListWnd::keyPressEvent(QKeyEvent* event)
{
    // Up and Down move the selection; Enter acts as a double-click, for the keyboard.
    int index = -1;
    for (int i = 0; i < m_shown.size(); ++i) {
        if (m_shown[i].SourceId == m_selectedId)
            index = i;
    }
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) {
        const int next
            = std::clamp(index + (event->key() == Qt::Key_Down ? 1 : -1), 0, int(m_shown.size()) - 1);
        if (next >= 0)
            SelectSource(m_shown[next].SourceId);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && index >= 0) {
        if (m_reportsDoubleClick)
            emit SourceDoubleClicked(m_selectedId, m_controlId);
        else
            emit EditRequested(m_selectedId);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}
