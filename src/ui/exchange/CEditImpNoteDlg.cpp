#include "ui/exchange/CEditImpNoteDlg.h"

#include "editor/CNoteEditCtrl.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "editor/widgets/CitationDocument.h"
#include "exchange/ImportDifferences.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteEditorSave.h"

#include <QDesktopServices>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    button->setToolTip(tip);
    return button;
}

} // namespace

CEditImpNoteDlg::CEditImpNoteDlg(const NoteRecord& note, const ImportDialogContext& context, QWidget* parent)
    : QDialog(parent)
    , m_note(note)
    , m_context(context)
{
    setWindowTitle(QStringLiteral("View/Edit Import Note"));
    setObjectName(QStringLiteral("editImportNoteDialog"));
    setAccessibleName(windowTitle());
    resize(820, 600);

    m_text = new CNoteEditCtrl(this);
    m_text->setObjectName(QStringLiteral("importNoteText"));
    m_text->setAccessibleName(QStringLiteral("Note text"));
    m_text->setToolTip(QStringLiteral("The text of the import note"));
    m_text->SetDefaultFont(context.textFont.font, context.textFont.TypedColour());
    m_text->SetRichText(note.RichText);

    m_categories = new CCategoryTreeCtrl(this);
    m_categories->setAccessibleName(QStringLiteral("Categories"));
    m_categories->setToolTip(QStringLiteral("Click a level to choose its category"));
    m_categories->SetTrees(context.trees);
    m_categories->SetAssignment(note.Categories);

    QPushButton* save
        = MakeButton(QStringLiteral("&Save"), QStringLiteral("Keep the changes in the import"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setDefault(true);
    QPushButton* cancel
        = MakeButton(QStringLiteral("Cancel"), QStringLiteral("Leave the note as it was"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(save, &QPushButton::clicked, this, &CEditImpNoteDlg::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(MakeDetails(), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_text, 3);
    layout->addLayout(right, 2);
}

QWidget* CEditImpNoteDlg::MakeDetails()
{
    auto* details = new QWidget(this);
    auto* form = new QFormLayout(details);
    // The source as the note will cite it: its citation, read-only.
    m_source = new QTextBrowser(details);
    m_source->setObjectName(QStringLiteral("sourceDisplay"));
    m_source->setAccessibleName(QStringLiteral("Source"));
    m_source->setToolTip(QStringLiteral("The citation of the note's source"));
    m_source->setFixedHeight(86);
    m_source->setFocusPolicy(Qt::NoFocus);
    if (m_note.SourceID > 0)
        CitationDocument::Fill(*m_source->document(),
                               CitationDocument::FormattedIncoming(m_note.AttachedSource));
    form->addRow(QStringLiteral("Source:"), m_source);
    // "Level # Category:" names the level whose drop-down was opened last.
    auto* levelLabel = new QLabel(QStringLiteral("Level 1 Category:"), details);
    levelLabel->setObjectName(QStringLiteral("levelLabel"));
    levelLabel->setBuddy(m_categories);
    connect(m_categories, &CCategoryTreeCtrl::LevelClicked, levelLabel, [levelLabel](int level) {
        levelLabel->setText(QStringLiteral("Level %1 Category:").arg(level + 1));
    });
    form->addRow(levelLabel, m_categories);

    m_keyWords = new QLineEdit(m_note.KeyWords, details);
    m_keyWords->setObjectName(QStringLiteral("keyWordsBox"));
    m_keyWords->setAccessibleName(QStringLiteral("Key Words"));
    m_keyWords->setToolTip(QStringLiteral("NOTE:  Separate all key words with commas."));
    form->addRow(QStringLiteral("Key Words:"), m_keyWords);
    form->addRow(new QLabel(QStringLiteral("NOTE:  Separate all key words with commas."), details));

    auto* date = new QLabel(ImportDateText(m_note.LastEdited), details);
    date->setObjectName(QStringLiteral("lastEditedDisplay"));
    date->setAccessibleName(QStringLiteral("Date/Time of Last Edit"));
    form->addRow(QStringLiteral("Date/Time of Last Edit"), date);

    m_attachments = new QTreeWidget(details);
    m_attachments->setObjectName(QStringLiteral("attachmentList"));
    m_attachments->setAccessibleName(QStringLiteral("Attachments"));
    m_attachments->setToolTip(QStringLiteral("Double-Click on a title to open the attachment."));
    m_attachments->setRootIsDecorated(false);
    m_attachments->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Original File Name")});
    for (const AttachmentRecord& attachment : m_note.Attachments)
        new QTreeWidgetItem(m_attachments, {attachment.Title, attachment.OriginalName});
    connect(m_attachments, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { OpenAttachment(m_attachments->indexOfTopLevelItem(item)); });
    form->addRow(m_attachments);
    form->addRow(new QLabel(QStringLiteral("Double-Click on a title to open the attachment."), details));
    return details;
}

void CEditImpNoteDlg::OpenAttachment(int row)
{
    if (row < 0 || row >= m_note.Attachments.size())
        return;
    const QString path = QDir(m_context.tempFolder).filePath(m_note.Attachments.at(row).StoredName);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool CEditImpNoteDlg::Save()
{
    const QString plain = m_text->PlainText();
    if (plain.trimmed().isEmpty()) {
        m_context.prompt->Tell(NoteEditorSave::NoTextMessage(), NoteEditorSave::NoTextCaption(),
                               UserPrompt::Icon::Warning);
        m_text->setFocus();
        return false;
    }
    ProgressReporter& progress = m_context.progress ? *m_context.progress : SilentProgress();
    progress.Notify(QStringLiteral("Saving Information...."));
    m_note.RichText = m_text->RichText();
    m_note.PlainText = plain;
    m_note.LastEdited = DateTime::CurrentLocal();
    m_note.KeyWords = m_keyWords->text().trimmed();
    m_note.Categories = m_categories->Assignment();
    progress.End();
    accept();
    return true;
}
