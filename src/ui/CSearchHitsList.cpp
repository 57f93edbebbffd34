#include "ui/CSearchHitsList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kSmallestWidth = 520;
constexpr int kVisibleRows = 8;

// The line with each hit on the search's highlight colour.
QString LineHtml(const SearchPreview::Hit& hit)
{
    QString html;
    int at = 0;
    QList<QPair<int, int>> hits = hit.hits;
    std::sort(hits.begin(), hits.end());
    for (const QPair<int, int>& range : std::as_const(hits)) {
        if (range.first < at)
            continue; // overlapping hits of two terms: the first one shows
        html += hit.line.mid(at, range.first - at).toHtmlEscaped();
        html += QStringLiteral("<span style=\"background-color:#ff8e28\">")
            + hit.line.mid(range.first, range.second).toHtmlEscaped() + QStringLiteral("</span>");
        at = range.first + range.second;
    }
    html += hit.line.mid(at).toHtmlEscaped();
    return html;
}

QString DetailText(const SearchPreview::Hit& hit)
{
    const QString date = QString::fromLatin1(hit.dateAdded.Format("%m/%d/%Y"));
    return hit.sourceTitle.isEmpty() ? date : hit.sourceTitle + QStringLiteral("  \u2013  ") + date;
}

} // namespace

CSearchHitsList::CSearchHitsList(QLineEdit* field, QWidget* parent)
    : QFrame(parent)
    , m_field(field)
    , m_summary(new QLabel(this))
    , m_hits(new QListWidget(this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("searchHits"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QStringLiteral("Search Hits"));
    m_summary->setObjectName(QStringLiteral("searchHitsSummary"));
    m_summary->setWordWrap(true);
    m_hits->setObjectName(QStringLiteral("searchHitsList"));
    m_hits->setFocusPolicy(Qt::NoFocus); // the field keeps the keyboard
    m_hits->setSelectionMode(QAbstractItemView::SingleSelection);
    m_hits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // each line is cut to fit
    m_hits->setToolTip(QStringLiteral("Click a note to open it; Enter in the search field runs the search"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_summary);
    layout->addWidget(m_hits);
    hide();

    m_timer->setSingleShot(true);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &CSearchHitsList::Update);
    connect(m_field, &QLineEdit::textEdited, this, &CSearchHitsList::Schedule);
    connect(m_hits, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Open(m_hits->row(item)); });
    m_field->installEventFilter(this);
}

QString CSearchHitsList::CountText(int count)
{
    return count == 1 ? QStringLiteral("1 note found") : QStringLiteral("%1 notes found").arg(count);
}

void CSearchHitsList::Schedule()
{
    m_timer->start();
}

void CSearchHitsList::Close()
{
    m_timer->stop();
    m_shown = SearchPreview();
    hide();
}

int CSearchHitsList::ChosenNote() const
{
    const int row = m_hits->currentRow();
    return isVisible() && row >= 0 && row < m_shown.hits.size() && m_hits->currentItem()->isSelected()
        ? m_shown.hits.at(row).noteId
        : 0;
}

void CSearchHitsList::Update()
{
    if ((m_enabled && !m_enabled()) || !m_preview) {
        Close();
        return;
    }
    Show(m_preview(m_field->text()));
}

void CSearchHitsList::Show(const SearchPreview& preview)
{
    m_shown = preview;
    if (preview.status == SearchPreview::Status::Empty) {
        hide();
        return;
    }
    m_hits->clear();
    const bool ready = preview.status == SearchPreview::Status::Ready;
    m_summary->setText(ready ? CountText(preview.count) : preview.message);
    m_summary->setAccessibleName(m_summary->text());
    for (const SearchPreview::Hit& hit : preview.hits) {
        auto* item = new QListWidgetItem(m_hits);
        auto* label
            = new QLabel(QStringLiteral("<div>%1</div><div style=\"color:#666666; font-size:small\">%2</div>")
                             .arg(LineHtml(hit), DetailText(hit).toHtmlEscaped()),
                         m_hits);
        label->setTextFormat(Qt::RichText);
        label->setContentsMargins(4, 2, 4, 2);
        item->setSizeHint(label->sizeHint());
        // What a screen reader says for the row: the line and its source and date.
        item->setData(Qt::AccessibleTextRole, QString(hit.line + QStringLiteral(", ") + DetailText(hit)));
        m_hits->setItemWidget(item, label);
    }
    m_hits->setVisible(!preview.hits.isEmpty());
    m_hits->setAccessibleName(QStringLiteral("Search Hits: %1").arg(m_summary->text()));
    Place();
    show();
    raise();
}

void CSearchHitsList::Place()
{
    QWidget* window = parentWidget();
    const QPoint under = m_field->mapTo(window, QPoint(0, m_field->height()));
    const int width = std::max(m_field->width(), kSmallestWidth);
    const int left = std::max(0, std::min(under.x(), window->width() - width));
    int rowsHeight = 0;
    for (int row = 0; row < m_hits->count() && row < kVisibleRows; ++row)
        rowsHeight += m_hits->sizeHintForRow(row);
    const int height = m_summary->sizeHint().height()
        + (m_hits->count() ? rowsHeight + 2 * m_hits->frameWidth() + 4 : 0) + 14;
    setGeometry(left, under.y() + 2, width, std::min(height, window->height() - under.y() - 4));
}

void CSearchHitsList::Choose(int row)
{
    if (m_hits->count() == 0)
        return;
    row = std::clamp(row, 0, m_hits->count() - 1);
    m_hits->setCurrentRow(row);
    m_hits->scrollToItem(m_hits->item(row));
}

void CSearchHitsList::Open(int row)
{
    if (row < 0 || row >= m_shown.hits.size())
        return;
    const int noteId = m_shown.hits.at(row).noteId;
    Close();
    emit NoteChosen(noteId);
}

bool CSearchHitsList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_field)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        Close();
    } else if (event->type() == QEvent::KeyPress && isVisible()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Down:
            Choose(ChosenNote() ? m_hits->currentRow() + 1 : 0);
            return true;
        case Qt::Key_Up:
            Choose(m_hits->currentRow() - 1);
            return true;
        case Qt::Key_Escape:
            Close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (ChosenNote()) {
                Open(m_hits->currentRow());
                return true;
            }
            Close(); // the field runs the search
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}
