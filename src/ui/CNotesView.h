#pragma once

#include "store/ListedNote.h"
#include "ui/NoteViewOptions.h"
#include "ui/RenderedNote.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTimer>
#include <QVector>
#include <memory>

class CurrentNotesList;
struct DataChange;
class NoteDatabase;
class Settings;
class UserPrompt;
struct NoteRecord;

// The note list view: the current notes list as one scrolling column of rendered notes.
//
// Only what is on the screen and near it is laid out. Every other note's height is a
// guess from the shape of its text, corrected when the note is laid out; a correction
// keeps the anchor (the note under the pointer, else the one at the top of the window)
// where it stands on the screen, so that nothing the user looks at moves. Notes within a
// window's height above and below the screen are laid out once the screen is drawn, so
// that scrolling meets measured notes; then the view does nothing until it is scrolled,
// resized or given another list. A limited number of laid-out notes is kept for drawing.
class CNotesView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CNotesView(NoteDatabase& database, CurrentNotesList& currentList, Settings& settings, UserPrompt& prompt,
               QWidget* parent = nullptr);
    ~CNotesView() override;

    // The list changed: take its order, keep the heights already measured.
    void Redraw(bool resetScroll);
    // The width or a display setting changed: measure everything again (lazily).
    void Relayout();
    // Clears hover and selection (the list's notes changed).
    void ClearDisplayState();
    // Brings the view up to date with a change of the data: notes that joined or left the
    // list clear the selection, saved or deleted notes are laid out again, new hits,
    // sources or authors lay every note out again, a new order redraws.
    void FollowChange(const DataChange& change);

    // Moves the note at from next to the note at to: after it when dragged downwards,
    // before it when dragged upwards; nothing when from == to.
    void MoveNote(int from, int to);
    // The note under the point (view coordinates), or -1.
    int NoteIndexAt(QPoint point) const;
    QRect NoteRect(int index) const;
    int SelectedNoteId() const { return m_selectedId; }
    // The display options the notes are laid out with now.
    const NoteViewOptions& ViewOptions() const { return m_options; }
    void SelectNote(int id);
    int TotalHeight() const { return m_tops.isEmpty() ? 0 : m_tops.last(); }
    // How many notes have a laid-out picture kept right now.
    int RenderedCount() const { return int(m_rendered.size()); }
    // How many notes have their height measured (the rest have a guess).
    int MeasuredCount() const;
    // Whether notes near the screen still wait to be laid out.
    bool LayingOutNearby() const { return m_nearTimer.isActive(); }

    // Whether a note editor listens to EditNoteRequested; without one "Edit Note" is
    // greyed and double clicks on a note do nothing.
    void SetEditingAvailable(bool available) { m_editingAvailable = available; }

    // The context-menu commands, on the note with that id.
    void RemoveFromCurrentList(int id);
    void DeleteNotePermanently(int id);
    void ApplyImageAction(int id, int attachment, ImageControls::Action action);
    void OpenAttachment(int id, int attachment);
    void ExtractAttachment(int id, int attachment);

signals:
    // A note is or is no longer under the cursor: "Delete Note" follows it.
    void NoteSelected(bool selected);
    void EditNoteRequested(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Slot
    {
        qint32 id = 0;
        int height = 0;
        bool measured = false;
    };
    // A note and where its top stands in the window, kept while heights change.
    struct Anchor
    {
        int index = -1;
        int viewY = 0;
    };

    const ListedNotes& Notes() const;
    int ContentWidth() const;
    int ContentY(int viewY) const;
    int SlotAt(int contentY) const;
    void RecomputeTops();
    void UpdateScrollRange();
    RenderedNote* Rendered(int index);
    Anchor TakeAnchor() const;
    void KeepAnchor(const Anchor& anchor);
    // Lays out the notes not measured yet between the content heights from and to (at
    // most limit of them), keeping anchor still; *changed becomes true when a height
    // changed. Returns how many were laid out.
    int MeasureBetween(int from, int to, const Anchor& anchor, int limit, bool* changed);
    bool MeasureVisible();
    void MeasureNearby();
    void ForgetRendered(const QSet<qint32>& ids);
    void AutoScroll();
    void ShowNoteMenu(int index, const RenderedNote::Hit& hit, QPoint globalPos);

    NoteDatabase& m_database;
    CurrentNotesList& m_currentList;
    Settings& m_settings;
    UserPrompt& m_prompt;

    NoteViewOptions m_options;
    int m_layoutWidth = 0;
    QVector<Slot> m_slots;
    QVector<int> m_tops; // m_tops[i] is the top of note i; the last entry is the total
    QHash<qint32, std::shared_ptr<RenderedNote>> m_rendered;
    QList<qint32> m_recent; // most recently drawn last
    QTimer m_nearTimer;
    QPoint m_pointer; // where the pointer was last seen over the notes
    bool m_pointerInView = false;

    bool m_editingAvailable = false;
    int m_hoverId = -1;
    int m_selectedId = -1;
    int m_pressIndex = -1;
    QPoint m_pressPos;
    bool m_dragging = false;
    QTimer m_autoScroll;
    int m_autoScrollStep = 0;
};
