#include "ui/CNotesView.h"

#include "editor/widgets/FileDialogs.h"
#include "lists/CurrentNotesList.h"
#include "platform/UserPrompt.h"
#include "store/DataChange.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>

namespace {

constexpr int KeptRendered = 300; // laid-out notes kept for drawing
constexpr int NearbyBatch = 8; // notes near the screen laid out per turn of the event loop
constexpr int VisibleRounds = 4; // a correction can bring more notes into the window

} // namespace

CNotesView::CNotesView(NoteDatabase& database, CurrentNotesList& currentList, Settings& settings,
                       UserPrompt& prompt, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_database(database)
    , m_currentList(currentList)
    , m_settings(settings)
    , m_prompt(prompt)
{
    setObjectName(QStringLiteral("notesView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, QColor(226, 230, 236));
    viewport()->setPalette(pal);
    verticalScrollBar()->setSingleStep(30);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_nearTimer.setSingleShot(true);
    m_nearTimer.setInterval(0);
    connect(&m_nearTimer, &QTimer::timeout, this, &CNotesView::MeasureNearby);
    m_autoScroll.setInterval(50);
    connect(&m_autoScroll, &QTimer::timeout, this, &CNotesView::AutoScroll);
    m_options = NoteViewOptions::FromSettings(settings);
}

CNotesView::~CNotesView() = default;

const ListedNotes& CNotesView::Notes() const
{
    return m_currentList.Entries();
}

int CNotesView::ContentWidth() const
{
    return std::max(120, viewport()->width());
}

int CNotesView::ContentY(int viewY) const
{
    return viewY + verticalScrollBar()->value();
}

void CNotesView::ClearDisplayState()
{
    m_hoverId = -1;
    m_selectedId = -1;
    emit NoteSelected(false);
}

void CNotesView::FollowChange(const DataChange& change)
{
    if (change.Has(DataChange::Reloaded)) {
        ClearDisplayState();
        Redraw(false);
        Relayout();
        return;
    }
    bool redraw = change.HasAny(DataChange::ListNotes | DataChange::ListOrder);
    if (change.Has(DataChange::ListNotes))
        ClearDisplayState(); // no note is selected any more
    if (change.HasAny(DataChange::NotesSaved | DataChange::NotesDeleted)) {
        // Their pictures and heights are made again when they are next drawn.
        QSet<qint32> changed(change.notes.begin(), change.notes.end());
        for (const DataChange::DeletedNote& note : change.deleted)
            changed.insert(note.id);
        ForgetRendered(changed);
        redraw = true;
    }
    if (redraw)
        Redraw(Notes().isEmpty());
    // Hits change the texts drawn, sources and authors the citations: every note again.
    if (change.HasAny(DataChange::ListHits | DataChange::Sources | DataChange::Authors) && !Notes().isEmpty())
        Relayout();
}

void CNotesView::Redraw(bool resetScroll)
{
    // The note under the pointer (else the top one) stays where it stands when it is
    // still listed, whatever joined or left the list above it.
    const Anchor anchor = TakeAnchor();
    const qint32 anchorId = anchor.index >= 0 ? m_slots.at(anchor.index).id : -1;
    // Heights measured before stay valid for the notes still in the list: a changed note
    // is no longer measured (ForgetRendered), nor is any at a new width (Relayout).
    QHash<qint32, int> known;
    for (const Slot& slot : std::as_const(m_slots))
        if (slot.measured)
            known.insert(slot.id, slot.height);
    const ListedNotes& notes = Notes();
    m_slots.clear();
    m_slots.reserve(notes.size());
    Anchor kept;
    for (const ListedNote& note : notes) {
        Slot slot;
        slot.id = note.NoteID;
        auto it = known.constFind(note.NoteID);
        if (it != known.constEnd()) {
            slot.height = *it;
            slot.measured = true;
        } else {
            slot.height = RenderedNote::EstimateHeight(note, m_options, ContentWidth());
            m_rendered.remove(note.NoteID);
        }
        if (slot.id == anchorId && kept.index < 0)
            kept = {int(m_slots.size()), anchor.viewY};
        m_slots.append(slot);
    }
    RecomputeTops();
    if (resetScroll)
        verticalScrollBar()->setValue(0);
    else
        KeepAnchor(kept);
    viewport()->update();
}

void CNotesView::Relayout()
{
    // The note at the top of the window stays there across the new guesses.
    const Anchor anchor = TakeAnchor();
    m_options = NoteViewOptions::FromSettings(m_settings);
    m_layoutWidth = ContentWidth();
    m_rendered.clear();
    m_recent.clear();
    const ListedNotes& notes = Notes();
    for (int i = 0; i < m_slots.size() && i < notes.size(); ++i) {
        m_slots[i].height = RenderedNote::EstimateHeight(notes[i], m_options, m_layoutWidth);
        m_slots[i].measured = false;
    }
    RecomputeTops();
    KeepAnchor(anchor);
    viewport()->update();
}

int CNotesView::MeasuredCount() const
{
    return int(
        std::count_if(m_slots.cbegin(), m_slots.cend(), [](const Slot& slot) { return slot.measured; }));
}

void CNotesView::RecomputeTops()
{
    m_tops.resize(m_slots.size() + 1);
    int y = 0;
    for (int i = 0; i < m_slots.size(); ++i) {
        m_tops[i] = y;
        y += m_slots[i].height;
    }
    m_tops[m_slots.size()] = y;
    UpdateScrollRange();
}

void CNotesView::UpdateScrollRange()
{
    const int page = viewport()->height();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(0, TotalHeight() - page));
}

int CNotesView::SlotAt(int contentY) const
{
    if (m_slots.isEmpty() || contentY < 0 || contentY >= TotalHeight())
        return -1;
    // The last top not below the point.
    auto it = std::upper_bound(m_tops.begin(), m_tops.end() - 1, contentY);
    return int(it - m_tops.begin()) - 1;
}

int CNotesView::NoteIndexAt(QPoint point) const
{
    return SlotAt(ContentY(point.y()));
}

QRect CNotesView::NoteRect(int index) const
{
    if (index < 0 || index >= m_slots.size())
        return QRect();
    return QRect(0, m_tops[index] - verticalScrollBar()->value(), ContentWidth(), m_slots[index].height);
}

RenderedNote* CNotesView::Rendered(int index)
{
    const ListedNotes& notes = Notes();
    if (index < 0 || index >= m_slots.size() || index >= notes.size())
        return nullptr;
    Slot& slot = m_slots[index];
    if (notes[index].NoteID != slot.id) {
        // The list changed under the view (a deletion still running); the redraw that
        // follows every change brings the two in step again.
        QTimer::singleShot(0, this, [this] { Redraw(false); });
        return nullptr;
    }
    if (m_layoutWidth <= 0)
        m_layoutWidth = ContentWidth();
    std::shared_ptr<RenderedNote> rendered = m_rendered.value(slot.id);
    if (!rendered || rendered->Width() != m_layoutWidth) {
        rendered = std::make_shared<RenderedNote>(m_currentList.ListedRecord(notes[index]), m_options,
                                                  m_layoutWidth, m_database.Folder());
        m_rendered.insert(slot.id, rendered);
    }
    slot.height = rendered->Height();
    slot.measured = true;
    m_recent.removeOne(slot.id);
    m_recent.append(slot.id);
    while (m_recent.size() > KeptRendered)
        m_rendered.remove(m_recent.takeFirst());
    return rendered.get();
}

CNotesView::Anchor CNotesView::TakeAnchor() const
{
    const int top = verticalScrollBar()->value();
    int index = m_pointerInView ? SlotAt(ContentY(m_pointer.y())) : -1;
    if (index < 0)
        index = SlotAt(top);
    if (index < 0)
        return {};
    return {index, m_tops[index] - top};
}

void CNotesView::KeepAnchor(const Anchor& anchor)
{
    if (anchor.index < 0 || anchor.index >= m_slots.size())
        return;
    UpdateScrollRange();
    verticalScrollBar()->setValue(m_tops[anchor.index] - anchor.viewY);
}

int CNotesView::MeasureBetween(int from, int to, const Anchor& anchor, int limit, bool* changed)
{
    const int first = SlotAt(std::max(0, from));
    if (first < 0)
        return 0;
    int laidOut = 0;
    bool moved = false;
    for (int i = first; i < m_slots.size() && m_tops[i] < to && laidOut < limit; ++i) {
        // A measured note keeps its height until the width, the options or the note
        // change; drawing lays it out again if its picture was dropped.
        if (m_slots[i].measured)
            continue;
        const int before = m_slots[i].height;
        if (!Rendered(i))
            break;
        ++laidOut;
        moved = moved || m_slots[i].height != before;
    }
    if (moved) {
        RecomputeTops();
        KeepAnchor(anchor);
        *changed = true;
    }
    return laidOut;
}

bool CNotesView::MeasureVisible()
{
    const Anchor anchor = TakeAnchor();
    bool changed = false;
    // A note that shrinks brings the next ones into the window: they are measured too.
    for (int round = 0; round < VisibleRounds; ++round) {
        const int top = verticalScrollBar()->value();
        bool moved = false;
        MeasureBetween(top, top + viewport()->height(), anchor, int(m_slots.size()), &moved);
        if (!moved)
            break;
        changed = true;
    }
    return changed;
}

void CNotesView::MeasureNearby()
{
    // A window's height below and above the screen, a few notes at a time so that input
    // is never kept waiting; each correction keeps the anchor still.
    const int top = verticalScrollBar()->value();
    const int page = viewport()->height();
    const Anchor anchor = TakeAnchor();
    bool changed = false;
    int left = NearbyBatch;
    left -= MeasureBetween(top + page, top + 2 * page, anchor, left, &changed);
    left -= MeasureBetween(top - page, top, anchor, left, &changed);
    if (changed)
        viewport()->update();
    if (left <= 0)
        m_nearTimer.start(); // more may wait
}

void CNotesView::ForgetRendered(const QSet<qint32>& ids)
{
    // One pass over the list however many notes changed (a re-filing saves them all).
    if (ids.isEmpty())
        return;
    for (qint32 id : ids)
        m_rendered.remove(id);
    m_recent.removeIf([&ids](qint32 id) { return ids.contains(id); });
    for (Slot& slot : m_slots)
        if (ids.contains(slot.id))
            slot.measured = false;
}

void CNotesView::paintEvent(QPaintEvent*)
{
    // A resize not yet laid out is drawn at the old width until the frame's timer fires.
    MeasureVisible();
    QPainter painter(viewport());
    const int top = verticalScrollBar()->value();
    const int first = SlotAt(top);
    if (first < 0)
        return;
    for (int i = first; i < m_slots.size() && m_tops[i] < top + viewport()->height(); ++i) {
        RenderedNote* rendered = Rendered(i);
        if (!rendered)
            break;
        const qint32 id = m_slots[i].id;
        RenderedNote::Look look = RenderedNote::Look::Plain;
        if (id == m_selectedId)
            look = RenderedNote::Look::Selected;
        else if (id == m_hoverId)
            look = RenderedNote::Look::Hover;
        rendered->Paint(painter, QPoint(0, m_tops[i] - top), m_currentList.ListedRecord(Notes()[i]), look);
    }
    if (!m_nearTimer.isActive())
        m_nearTimer.start();
}

void CNotesView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
    if (m_layoutWidth == 0)
        Relayout();
}

void CNotesView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CNotesView::SelectNote(int id)
{
    m_selectedId = id;
    m_hoverId = id;
    emit NoteSelected(id > 0);
    viewport()->update();
}
