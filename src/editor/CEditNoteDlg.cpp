#include "editor/CEditNoteDlg.h"

#include "editor/CAttachmentsDlg.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/CSaveWarningDlg.h"
#include "editor/EditorPalette.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "editor/widgets/NoteTextFont.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/NoteEditorSave.h"
#include "store/Settings.h"
#include "store/SourceStore.h"

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

CEditNoteDlg::CEditNoteDlg(NoteDatabase& database, const SourceStore& sources, Settings& settings,
                           UserPrompt& prompt, const NoteRecord& note, QWidget* parent)
    : QDialog(parent)
    , m_database(database)
    , m_sources(sources)
    , m_settings(settings)
    , m_prompt(prompt)
    , m_previous(note)
    , m_edited(note)
{
    setObjectName(QStringLiteral("editNoteDlg"));
    setWindowTitle(QStringLiteral("Edit Note"));
    setAccessibleName(QStringLiteral("Edit Note"));
    setSizeGripEnabled(true);
    setMinimumSize(MinimumSize());

    m_text = new CNoteEditCtrl(this);
    m_text->Attach(true, false);

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(m_text, 1);
    body->addWidget(BuildSidePanel());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->setSpacing(6);
    layout->addWidget(BuildToolBar());
    layout->addLayout(body, 1);

    ConnectToolBar();
    FillFromRecord();
    resize(MinimumSize());
}

CEditNoteDlg::~CEditNoteDlg() = default;

QToolButton* CEditNoteDlg::Button(int id) const
{
    return m_buttons.value(id);
}

QString CEditNoteDlg::LastEditedText(const DateTime& when)
{
    return when.ShownDateAndTime();
}

void CEditNoteDlg::SetTextFont(const NoteTextFont& font)
{
    m_text->SetDefaultFont(font.font, font.TypedColour());
    RefreshToolBar();
}

void CEditNoteDlg::SetSourceChooser(SourceChooser chooser)
{
    m_chooseSource = std::move(chooser);
    Button(kChooseSource)->setEnabled(bool(m_chooseSource));
}

void CEditNoteDlg::FillFromRecord()
{
    m_text->SetRichText(m_edited.RichText);
    m_keyWords->setText(m_edited.KeyWords);
    m_categories->SetAssignment(m_edited.Categories);
    m_lastEdited->setText(LastEditedText(m_edited.LastEdited));
    m_lastEdited->setAccessibleName(QStringLiteral("Date/Time of Last Edit: ") + m_lastEdited->text());
    const bool engineOn = m_settings.EnableSpellCheck == 1;
    m_spellCheck->setChecked(!m_edited.SpellCheck);
    m_spellCheck->setEnabled(engineOn);
    m_text->SetSpellChecking(engineOn && m_edited.SpellCheck);
    RefreshSource();
    RefreshAttachmentsText();
    RefreshToolBar();
}

void CEditNoteDlg::RemoveSource()
{
    m_edited.SourceID = 0;
    m_edited.AttachedSource = SourceRecord();
    RefreshSource();
}

void CEditNoteDlg::ReadSourceAfresh(qint32 sourceId)
{
    // Read from the sources file, so that changes made in the source dialog show at once.
    NotesList one {m_edited};
    one.first().SourceID = sourceId;
    m_sources.FillAttachedSources(one);
    if (sourceId > 0 && one.first().AttachedSource.SourceId == sourceId) {
        m_edited.SourceID = sourceId;
        m_edited.AttachedSource = one.first().AttachedSource;
    } else {
        m_edited.SourceID = 0;
        m_edited.AttachedSource = SourceRecord();
    }
}

void CEditNoteDlg::ChooseSource()
{
    if (!m_chooseSource)
        return;
    const std::optional<qint32> chosen = m_chooseSource(this, m_edited.SourceID);
    if (chosen)
        ReadSourceAfresh(*chosen);
    else if (m_edited.SourceID > 0)
        ReadSourceAfresh(m_edited.SourceID);
    RefreshSource();
}

void CEditNoteDlg::EditAttachments()
{
    CAttachmentsDlg dialog(m_edited, m_database.Folder(), m_prompt, this);
    dialog.SetProgress(&m_database.Progress());
    dialog.exec();
    RefreshAttachmentsText();
}

void CEditNoteDlg::SetSpellCheckDisabled(bool disabled)
{
    m_edited.SpellCheck = !disabled;
    if (!disabled)
        m_text->SetSpellChecking(true);
    const QString message = disabled ? QStringLiteral("Removing spell check marks....")
                                     : QStringLiteral("Running spell check....");
    QTimer::singleShot(10, this, [this, disabled, message] {
        ProgressReporter& progress = m_database.Progress();
        progress.Notify(message);
        if (disabled)
            m_text->SetSpellChecking(false);
        else
            m_text->RecheckAll();
        m_text->moveCursor(QTextCursor::Start);
        m_text->viewport()->update();
        progress.End();
    });
}

void CEditNoteDlg::PasteClipboard()
{
    m_text->setFocus();
    m_text->paste();
}

bool CEditNoteDlg::Save()
{
    // Marks are drawn beside the text, but they go before the text is read all the same.
    m_text->ClearMarks();
    NoteRecord finished = m_edited;
    finished.RichText = m_text->RichText();
    finished.PlainText = m_text->PlainText();
    finished.KeyWords = m_keyWords->text();
    finished.Categories = m_categories->Assignment();
    QString error;
    // The program's one saving path: the rules the command line's add and edit follow too.
    // On any refusal the dialog stays open with everything typed.
    if (!NoteEditorSave::SaveFromEditor(m_database, m_previous, finished, &error)) {
        const bool noText = error == NoteEditorSave::NoTextMessage();
        // Otherwise the note file could not be written: the message names it and says why.
        m_prompt.Tell(error, noText ? NoteEditorSave::NoTextCaption() : FileStatus::Caption(),
                      UserPrompt::Icon::Warning);
        m_text->RecheckAll();
        m_text->setFocus();
        return false;
    }
    m_edited = finished;
    accept();
    return true;
}

void CEditNoteDlg::Cancel()
{
    reject();
}

void CEditNoteDlg::reject()
{
    if (m_settings.szSaveWarning != 0) {
        CSaveWarningDlg warning(
            [this] {
                m_settings.szSaveWarning = 0;
                if (!m_saveSettings)
                    return;
                if (const FileStatus saved = m_saveSettings(); !saved)
                    m_prompt.Tell(saved.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
            },
            this);
        if (warning.exec() != QDialog::Accepted) {
            m_text->setFocus();
            return;
        }
    }
    // The copy goes, and with it every attachment added or removed: no file was touched.
    QDialog::reject();
}

void CEditNoteDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        Cancel();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CEditNoteDlg::showEvent(QShowEvent* event)
{
    // The editor opens where it was last closed ("EditNoteRect").
    const StoredRect& stored = m_settings.EditNoteRect;
    if (!stored.IsNull() && !event->spontaneous())
        setGeometry(QRect(stored.left, stored.top, stored.Width(), stored.Height()));
    QDialog::showEvent(event);
    m_text->setFocus();
}

void CEditNoteDlg::done(int result)
{
    const QRect frame = geometry();
    m_settings.EditNoteRect = {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
    QDialog::done(result);
}
