#pragma once

#include "sources/CitationLayout.h"
#include "ui/ImageControls.h"
#include "ui/NoteViewOptions.h"

#include <QList>
#include <QPixmap>
#include <QRect>
#include <QStringList>
#include <array>
#include <memory>

class DataFolder;
class QPainter;
class QTextDocument;
struct ListedNote;
struct NoteRecord;

// One note laid out for the view at one width: its category lines, source line, rich
// text and attachments, stacked as the display settings say. Built when the note first
// becomes visible; the view keeps a limited number of them and remembers the heights.
class RenderedNote
{
public:
    struct AttachmentBox
    {
        int index = -1; // into the note's Attachments
        bool image = false;
        QRect area; // the whole attachment row
        QRect picture; // the image or the kind icon
        QRect title;
        std::array<QRect, ImageControls::ActionCount> controls {};
        int maxShift = 0;
    };

    enum class Part
    {
        None,
        Body,
        Attachment,
        ImageControl
    };
    struct Hit
    {
        Part part = Part::None;
        int attachment = -1; // index into the note's Attachments
        ImageControls::Action action = ImageControls::Action::None;
    };

    RenderedNote(const NoteRecord& note, const NoteViewOptions& options, int width, const DataFolder& folder);
    ~RenderedNote();

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The source line as laid out, and where it is drawn (empty when there is none).
    const CitationLayout& SourceLayout() const { return m_source; }
    QRect SourceRect() const { return m_sourceRect; }
    // Positions are relative to the note's top left corner.
    Hit HitTest(QPoint point) const;
    const QList<AttachmentBox>& Attachments() const { return m_attachments; }

    enum class Look
    {
        Plain,
        Hover,
        Selected
    };
    void Paint(QPainter& painter, QPoint topLeft, const NoteRecord& note, Look look) const;

    // A height guessed from the text alone, for notes not yet laid out.
    static int EstimateHeight(const ListedNote& note, const NoteViewOptions& options, int width);

    static constexpr int OuterMargin = 6;
    static constexpr int Padding = 8;

private:
    int PlaceDecoration(QTextDocument* document, int y, QRect* rect);
    int PlaceSource(int y, int inner);
    int PlaceAttachments(const NoteRecord& note, const DataFolder& folder, int y);

    int m_width;
    int m_height = 0;
    NoteViewOptions m_options;
    std::unique_ptr<QTextDocument> m_text;
    CitationLayout m_source; // the source line, wrapped to the note's width
    bool m_hasSource = false;
    std::unique_ptr<QTextDocument> m_categories;
    QRect m_textRect;
    QRect m_sourceRect;
    QRect m_categoryRect;
    QList<AttachmentBox> m_attachments;
    QList<QPixmap> m_pictures; // one per attachment box
};
