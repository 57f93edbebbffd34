// The note view's mouse, menus and note commands.
#include "app/ReadOnlyRefusal.h"
#include "editor/AttachmentExtraction.h"
#include "lists/CurrentNotesList.h"
#include "lists/DeleteCommands.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "ui/CNotesView.h"
#include "ui/sources/LibraryCommands.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <memory>
#include <optional>

namespace {

constexpr int EdgeZone = 24; // pixels near the top or bottom edge that scroll a drag

} // namespace

void CNotesView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const QPoint pos = event->position().toPoint();
    const int index = NoteIndexAt(pos);
    m_pressIndex = -1;
    if (index < 0) {
        ClearDisplayState();
        viewport()->update();
        return;
    }
    SelectNote(m_slots[index].id);
    if (event->button() != Qt::LeftButton)
        return;
    RenderedNote* rendered = Rendered(index);
    if (!rendered)
        return;
    const RenderedNote::Hit hit = rendered->HitTest(pos - NoteRect(index).topLeft());
    if (hit.part == RenderedNote::Part::ImageControl) {
        ApplyImageAction(m_slots[index].id, hit.attachment, hit.action);
        return;
    }
    m_pressIndex = index;
    m_pressPos = pos;
    m_dragging = false;
}

void CNotesView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    // The note under the pointer stays in place while heights are corrected.
    m_pointer = pos;
    m_pointerInView = true;
    if (m_pressIndex >= 0 && (event->buttons() & Qt::LeftButton)) {
        if (!m_dragging && (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            viewport()->setCursor(Qt::DragMoveCursor);
        }
        if (m_dragging) {
            // Near an edge the column scrolls by itself while the button is held.
            if (pos.y() < EdgeZone)
                m_autoScrollStep = -20;
            else if (pos.y() > viewport()->height() - EdgeZone)
                m_autoScrollStep = 20;
            else
                m_autoScrollStep = 0;
            if (m_autoScrollStep != 0 && !m_autoScroll.isActive())
                m_autoScroll.start();
            else if (m_autoScrollStep == 0)
                m_autoScroll.stop();
        }
        return;
    }
    const int index = NoteIndexAt(pos);
    const int id = index >= 0 ? m_slots[index].id : -1;
    if (id != m_hoverId) {
        m_hoverId = id;
        viewport()->update();
    }
}

void CNotesView::AutoScroll()
{
    if (m_autoScrollStep == 0 || !m_dragging) {
        m_autoScroll.stop();
        return;
    }
    verticalScrollBar()->setValue(verticalScrollBar()->value() + m_autoScrollStep);
}

void CNotesView::mouseReleaseEvent(QMouseEvent* event)
{
    m_autoScroll.stop();
    viewport()->unsetCursor();
    if (event->button() == Qt::LeftButton && m_dragging && m_pressIndex >= 0) {
        const int target = NoteIndexAt(event->position().toPoint());
        if (target >= 0 && target != m_pressIndex)
            MoveNote(m_pressIndex, target);
    }
    m_dragging = false;
    m_pressIndex = -1;
}

void CNotesView::MoveNote(int from, int to)
{
    // The list tells the new order; the view follows it as it follows every change.
    m_currentList.MoveNote(from, to);
}

void CNotesView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int index = NoteIndexAt(pos);
    if (index < 0 || event->button() != Qt::LeftButton)
        return;
    const qint32 id = m_slots[index].id;
    RenderedNote* rendered = Rendered(index);
    if (!rendered)
        return;
    const RenderedNote::Hit hit = rendered->HitTest(pos - NoteRect(index).topLeft());
    bool imageAttachment = false;
    for (const RenderedNote::AttachmentBox& box : rendered->Attachments())
        if (box.index == hit.attachment)
            imageAttachment = box.image;
    if (hit.part == RenderedNote::Part::ImageControl)
        ApplyImageAction(id, hit.attachment, hit.action);
    else if (hit.part == RenderedNote::Part::Attachment && !imageAttachment)
        OpenAttachment(id, hit.attachment);
    else if (hit.part != RenderedNote::Part::None && m_editingAvailable)
        emit EditNoteRequested(id);
}

void CNotesView::contextMenuEvent(QContextMenuEvent* event)
{
    const int index = NoteIndexAt(event->pos());
    if (index < 0)
        return; // empty space below the last note shows no menu
    SelectNote(m_slots[index].id);
    RenderedNote* rendered = Rendered(index);
    if (!rendered)
        return;
    const RenderedNote::Hit hit = rendered->HitTest(event->pos() - NoteRect(index).topLeft());
    if (hit.part == RenderedNote::Part::None)
        return;
    ShowNoteMenu(index, hit, event->globalPos());
}

void CNotesView::ShowNoteMenu(int index, const RenderedNote::Hit& hit, QPoint globalPos)
{
    const qint32 id = m_slots[index].id;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("noteMenu"));
    auto add = [&menu](const char* text, const char* name) {
        QAction* action = menu.addAction(QLatin1String(text));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    if (hit.part == RenderedNote::Part::Attachment || hit.part == RenderedNote::Part::ImageControl) {
        const int attachment = hit.attachment;
        std::optional<RenderedNote::AttachmentBox> box;
        if (RenderedNote* rendered = Rendered(index))
            for (const RenderedNote::AttachmentBox& b : rendered->Attachments())
                if (b.index == attachment)
                    box = b;
        if (box && box->image) {
            using ImageControls::Action;
            auto image = [&](const char* text, const char* name, Action action) {
                QAction* item = add(text, name);
                connect(item, &QAction::triggered, this,
                        [=, this] { ApplyImageAction(id, attachment, action); });
                return item;
            };
            image("Zoom In", "actionImageZoomIn", Action::ZoomIn);
            image("Zoom Out", "actionImageZoomOut", Action::ZoomOut);
            menu.addSeparator();
            const bool canShift = box->maxShift > 0;
            image("Shift Left", "actionImageShiftLeft", Action::ShiftLeft)->setEnabled(canShift);
            image("Shift Right", "actionImageShiftRight", Action::ShiftRight)->setEnabled(canShift);
            menu.addSeparator();
            image("Restore", "actionImageRestore", Action::Restore);
            menu.addSeparator();
        } else {
            connect(add("Open Attachment", "actionOpenAttachment"), &QAction::triggered, this,
                    [=, this] { OpenAttachment(id, attachment); });
        }
        connect(add("Extract Attachment", "actionExtractAttachment"), &QAction::triggered, this,
                [=, this] { ExtractAttachment(id, attachment); });
    } else {
        QAction* edit = add("Edit Note", "actionEditNote");
        edit->setEnabled(m_editingAvailable);
        connect(edit, &QAction::triggered, this, [=, this] { emit EditNoteRequested(id); });
        connect(add("Remove From Current List", "actionRemoveFromList"), &QAction::triggered, this,
                [=, this] { RemoveFromCurrentList(id); });
        std::shared_ptr<const SourceRecord> source;
        for (const ListedNote& note : Notes()) {
            if (note.NoteID == id)
                source = note.Source;
        }
        QAction* copy = add("Copy Citation", "actionCopyCitation");
        copy->setEnabled(source != nullptr);
        connect(copy, &QAction::triggered, this,
                [source] { LibraryCommands::CopyFormattedCitations({*source}); });
        menu.addSeparator();
        connect(add("Delete Note Permanently", "actionDeleteNotePermanently"), &QAction::triggered, this,
                [=, this] { DeleteNotePermanently(id); });
    }
    menu.exec(globalPos);
}

void CNotesView::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    m_pointerInView = false;
    if (m_hoverId != m_selectedId) {
        m_hoverId = -1;
        viewport()->update();
    }
}

void CNotesView::RemoveFromCurrentList(int id)
{
    m_currentList.RemoveFromCurrentList(id);
}

void CNotesView::DeleteNotePermanently(int id)
{
    const std::optional<NoteRecord> note = m_currentList.FindNote(id);
    if (!note || ReadOnlyRefusal::Refuse(m_database.Folder(), m_prompt))
        return;
    DeleteCommands::DeleteSelectedNote(m_database, *note, m_prompt);
}

void CNotesView::ApplyImageAction(int id, int attachment, ImageControls::Action action)
{
    const std::optional<NoteRecord> note = m_currentList.FindNote(id);
    if (!note || attachment < 0 || attachment >= note->Attachments.size())
        return;
    // The picture's size and shift are stored with the note.
    if (ReadOnlyRefusal::Refuse(m_database.Folder(), m_prompt))
        return;
    int maxShift = 0;
    const int index = NotesListOps::IndexOfNote(Notes(), id);
    if (RenderedNote* rendered = Rendered(index))
        for (const RenderedNote::AttachmentBox& box : rendered->Attachments())
            if (box.index == attachment)
                maxShift = box.maxShift;
    NoteRecord changed = *note;
    ImageControls::Apply(changed.Attachments[attachment], action, maxShift);
    const int scroll = verticalScrollBar()->value();
    // The note's picture is made again as the change is told; it is measured at once
    // here so that the column does not move under the pointer.
    if (const FileStatus written = m_database.StoreAttachmentSettings(changed); !written) {
        m_prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        return;
    }
    Rendered(index);
    RecomputeTops();
    verticalScrollBar()->setValue(scroll);
    viewport()->update();
}

void CNotesView::OpenAttachment(int id, int attachment)
{
    const std::optional<NoteRecord> note = m_currentList.FindNote(id);
    if (!note || attachment < 0 || attachment >= note->Attachments.size())
        return;
    QDesktopServices::openUrl(
        QUrl::fromLocalFile(AttachmentPath(note->Attachments[attachment], m_database.Folder())));
}

void CNotesView::ExtractAttachment(int id, int attachment)
{
    const std::optional<NoteRecord> note = m_currentList.FindNote(id);
    if (!note || attachment < 0 || attachment >= note->Attachments.size())
        return;
    const AttachmentRecord& record = note->Attachments[attachment];
    AttachmentExtraction::Extract(this, record, AttachmentPath(record, m_database.Folder()),
                                  m_database.Folder().Files(), m_prompt, m_database.Progress());
}
