#include "ui/exchange/CImportDifferencesDlg.h"

#include "editor/widgets/RichDocumentMapper.h"
#include "exchange/ImportDifferences.h"

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTextEdit* MakeTextBox(const QString& richText, const QString& name, QWidget* parent)
{
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    RichDocumentMapper::RtfToDisplayDocument(richText, *box->document());
    return box;
}

struct LineSpan
{
    QString text;
    int position = 0;
    int length = 0;
};

QList<LineSpan> LineSpans(QTextEdit* box)
{
    QList<LineSpan> spans;
    QTextDocument* document = box->document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block); // lays the block out when it was not yet
        const QTextLayout* lines = block.layout();
        if (!lines || lines->lineCount() == 0) {
            spans.append({block.text(), block.position(), block.length() - 1});
            continue;
        }
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            spans.append({block.text().mid(line.textStart(), line.textLength()),
                          block.position() + line.textStart(), line.textLength()});
        }
    }
    return spans;
}

} // namespace

CImportDifferencesDlg::CImportDifferencesDlg(const NoteRecord& incoming, const NoteRecord& database,
                                             const SourceList& sources, const AuthorList& authors,
                                             QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import Note and Database Note Difference Overview"));
    setObjectName(QStringLiteral("importDifferencesDialog"));
    setAccessibleName(windowTitle());
    resize(760, 640);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("differencesList"));
    m_list->setAccessibleName(QStringLiteral("Differences"));
    m_list->setToolTip(QStringLiteral("How the import note differs from the database note"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("Difference"), QStringLiteral("Import Note"), QStringLiteral("Database Note")});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignCenter);
    m_list->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    FillList(BuildDifferenceRows(incoming, database, sources, authors));

    m_age = new QLabel(ImportAgeSentence(incoming.LastEdited, database.LastEdited), this);
    m_age->setObjectName(QStringLiteral("ageSentence"));
    m_age->setAccessibleName(QStringLiteral("Age difference"));
    m_age->setWordWrap(true);

    m_importText = MakeTextBox(incoming.RichText, QStringLiteral("importNoteText"), this);
    m_importText->setAccessibleName(QStringLiteral("Import Note's Text"));
    m_importText->setToolTip(QStringLiteral("The import note's text; changed lines are highlighted"));
    m_databaseText = MakeTextBox(database.RichText, QStringLiteral("databaseNoteText"), this);
    m_databaseText->setAccessibleName(QStringLiteral("Database Note's Text"));
    m_databaseText->setToolTip(QStringLiteral("The text of the note in the database"));

    auto* texts = new QGridLayout;
    auto* importLabel = new QLabel(QStringLiteral("Import Note's Text:"), this);
    importLabel->setBuddy(m_importText);
    auto* databaseLabel = new QLabel(QStringLiteral("Database Note's Text:"), this);
    databaseLabel->setBuddy(m_databaseText);
    texts->addWidget(importLabel, 0, 0);
    texts->addWidget(databaseLabel, 0, 1);
    texts->addWidget(m_importText, 1, 0);
    texts->addWidget(m_databaseText, 1, 1);
    texts->setColumnStretch(0, 1);
    texts->setColumnStretch(1, 1);
    auto* hint
        = new QLabel(QStringLiteral("Changed lines are highlighted in the Import Note's text box."), this);
    hint->setAccessibleName(hint->text());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setAccessibleName(QStringLiteral("Close"));
    close->setToolTip(QStringLiteral("Close the overview"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 2);
    layout->addWidget(m_age);
    layout->addLayout(texts, 3);
    layout->addWidget(hint);
    layout->addWidget(buttons);
}

void CImportDifferencesDlg::FillList(const QList<DifferenceRow>& rows)
{
    for (const DifferenceRow& row : rows) {
        auto* item = new QTreeWidgetItem(m_list, {row.label, row.importValue, row.databaseValue});
        item->setTextAlignment(1, Qt::AlignCenter);
        item->setTextAlignment(2, Qt::AlignCenter);
    }
    SizeColumns();
}

void CImportDifferencesDlg::SizeColumns()
{
    // The first column narrows when a scroll bar takes its part of the width.
    const int first = m_list->topLevelItemCount() > 15 ? 153 : 170;
    const int rest = (m_list->viewport()->width() - first) / 2 - 2;
    m_list->setColumnWidth(0, first);
    m_list->setColumnWidth(1, qMax(rest, 60));
    m_list->setColumnWidth(2, qMax(rest, 60));
}

QStringList CImportDifferencesDlg::VisibleLines(QTextEdit* box)
{
    QStringList lines;
    for (const LineSpan& span : LineSpans(box))
        lines.append(span.text);
    return lines;
}

QList<int> CImportDifferencesDlg::HighlightChangedLines()
{
    const QList<LineSpan> incoming = LineSpans(m_importText);
    const QList<LineSpan> database = LineSpans(m_databaseText);
    QList<QTextEdit::ExtraSelection> selections;
    QList<int> changed;
    for (int i = 0; i < incoming.size(); ++i) {
        if (i < database.size() && incoming.at(i).text == database.at(i).text)
            continue;
        changed.append(i);
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(m_importText->document());
        selection.cursor.setPosition(incoming.at(i).position);
        selection.cursor.setPosition(incoming.at(i).position + incoming.at(i).length,
                                     QTextCursor::KeepAnchor);
        selection.format.setBackground(QColor(255, 236, 120));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(selection);
    }
    m_importText->setExtraSelections(selections);
    return changed;
}

void CImportDifferencesDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    SizeColumns();
    // The boxes break their lines anew at the new width.
    QTimer::singleShot(0, this, [this] { HighlightChangedLines(); });
}

void CImportDifferencesDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    SizeColumns();
    HighlightChangedLines();
}
