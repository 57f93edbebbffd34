// The right-hand side of the note editor: source, categories, key words, last edit,
// attachments, the spell-check box and the Save and Cancel buttons.
#include "editor/CAttachmentsDlg.h"
#include "editor/CEditNoteDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/CSaveWarningDlg.h"
#include "editor/EditorPalette.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "editor/widgets/CitationDocument.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSidePanelWidth = 330;

QGroupBox* Group(const QString& title, const char* name, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QLatin1String(name));
    group->setAccessibleName(title);
    return group;
}

} // namespace

QWidget* CEditNoteDlg::BuildSidePanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("sidePanel"));
    panel->setFixedWidth(kSidePanelWidth);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    QGroupBox* source = Group(QStringLiteral("Source"), "sourceGroup", panel);
    m_sourceDisplay = new QTextBrowser(source);
    m_sourceDisplay->setObjectName(QStringLiteral("sourceDisplay"));
    m_sourceDisplay->setAccessibleName(QStringLiteral("Source of the note"));
    m_sourceDisplay->setToolTip(QStringLiteral("The citation of the note's source"));
    m_sourceDisplay->setFixedHeight(86);
    m_sourceDisplay->setFocusPolicy(Qt::NoFocus);
    auto* sourceButtons = new QVBoxLayout;
    AddToolButton(source, kChooseSource, QStringLiteral("Choose source"),
                  QStringLiteral("Choose the note's source"),
                  EditorPalette::Icon(EditorPalette::Picture::ChooseSource), false);
    AddToolButton(source, kRemoveSource, QStringLiteral("Remove source"),
                  QStringLiteral("The note has no source"),
                  EditorPalette::Icon(EditorPalette::Picture::RemoveSource), false);
    sourceButtons->addWidget(Button(kChooseSource));
    sourceButtons->addWidget(Button(kRemoveSource));
    sourceButtons->addStretch(1);
    auto* sourceLayout = new QHBoxLayout(source);
    sourceLayout->addWidget(m_sourceDisplay, 1);
    sourceLayout->addLayout(sourceButtons);
    column->addWidget(source);

    QGroupBox* categories = Group(QStringLiteral("Categories"), "categoriesGroup", panel);
    m_levelLabel = new QLabel(QStringLiteral("Level 1 Category:"), categories);
    m_levelLabel->setObjectName(QStringLiteral("levelLabel"));
    m_levelLabel->setAccessibleName(m_levelLabel->text());
    m_categories = new CCategoryTreeCtrl(categories);
    m_categories->SetTrees(&m_database.Categories());
    m_categories->setMinimumHeight(120);
    auto* categoriesLayout = new QVBoxLayout(categories);
    categoriesLayout->addWidget(m_levelLabel);
    categoriesLayout->addWidget(m_categories, 1);
    column->addWidget(categories, 1);
    connect(m_categories, &CCategoryTreeCtrl::LevelClicked, this, [this](int level) {
        m_levelLabel->setText(QStringLiteral("Level %1 Category:").arg(level + 1));
    });

    QGroupBox* keyWords = Group(QStringLiteral("Key Words"), "keyWordsGroup", panel);
    m_keyWords = new QLineEdit(keyWords);
    m_keyWords->setObjectName(QStringLiteral("keyWords"));
    m_keyWords->setAccessibleName(QStringLiteral("Key Words"));
    m_keyWords->setToolTip(QStringLiteral("The note's key words, separated by commas"));
    auto* hint = new QLabel(QStringLiteral("NOTE:  Separate all key words with commas."), keyWords);
    hint->setObjectName(QStringLiteral("keyWordsHint"));
    hint->setEnabled(false);
    auto* keyWordsLayout = new QVBoxLayout(keyWords);
    keyWordsLayout->addWidget(m_keyWords);
    keyWordsLayout->addWidget(hint);
    column->addWidget(keyWords);

    QGroupBox* edited = Group(QStringLiteral("Date/Time of Last Edit"), "lastEditedGroup", panel);
    m_lastEdited = new QLabel(edited);
    m_lastEdited->setObjectName(QStringLiteral("lastEdited"));

    (new QVBoxLayout(edited))->addWidget(m_lastEdited);
    column->addWidget(edited);

    QGroupBox* attachments = Group(QStringLiteral("Attachments"), "attachmentsGroup", panel);
    AddToolButton(attachments, kAttachments, QStringLiteral("Attachments"),
                  QStringLiteral("Add, view and remove the note's attached files"),
                  EditorPalette::Icon(EditorPalette::Picture::Attachments), false);
    Button(kAttachments)->setText(QStringLiteral("Attachments..."));
    Button(kAttachments)->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_attachmentsText = new QLabel(attachments);
    m_attachmentsText->setObjectName(QStringLiteral("attachmentsText"));

    auto* attachmentsLayout = new QHBoxLayout(attachments);
    attachmentsLayout->addWidget(Button(kAttachments));
    attachmentsLayout->addWidget(m_attachmentsText, 1);
    column->addWidget(attachments);

    m_spellCheck = new QCheckBox(QStringLiteral("Disable spell checker in this note."), panel);
    m_spellCheck->setObjectName(QStringLiteral("disableSpellCheck"));
    m_spellCheck->setAccessibleName(m_spellCheck->text());
    m_spellCheck->setToolTip(QStringLiteral("No words of this note are checked"));
    column->addWidget(m_spellCheck);

    auto* save = new QPushButton(QStringLiteral("Save"), panel);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setAccessibleName(QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("Save the note"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), panel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));
    cancel->setToolTip(QStringLiteral("Close without saving"));
    // Enter in the text makes a new line; it never presses a button of the dialog.
    for (QPushButton* button : {save, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumHeight(30);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    column->addSpacing(4);
    column->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(cancel, &QPushButton::clicked, this, &CEditNoteDlg::Cancel);
    connect(Button(kChooseSource), &QToolButton::clicked, this, &CEditNoteDlg::ChooseSource);
    connect(Button(kRemoveSource), &QToolButton::clicked, this, &CEditNoteDlg::RemoveSource);
    connect(Button(kAttachments), &QToolButton::clicked, this, &CEditNoteDlg::EditAttachments);
    connect(m_spellCheck, &QCheckBox::clicked, this, &CEditNoteDlg::SetSpellCheckDisabled);
    Button(kChooseSource)->setEnabled(false);
    return panel;
}

void CEditNoteDlg::RefreshSource()
{
    Button(kRemoveSource)->setEnabled(m_edited.SourceID > 0);
    CitationDocument::Fill(*m_sourceDisplay->document(),
                           m_edited.SourceID > 0 ? m_edited.AttachedSource : SourceRecord());
}

void CEditNoteDlg::RefreshAttachmentsText()
{
    const qsizetype count = m_edited.Attachments.size();
    m_attachmentsText->setText(count == 0       ? QStringLiteral("No files attached")
                                   : count == 1 ? QStringLiteral("1 file attached")
                                                : QStringLiteral("%1 files attached").arg(count));
    m_attachmentsText->setAccessibleName(m_attachmentsText->text());
}
