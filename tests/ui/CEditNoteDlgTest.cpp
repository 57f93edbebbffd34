// The note editor against a real note database in a temporary data root: what Save
// stores, what Cancel drops, the picker's categories, and attachment files that move
// only when a note is saved.
#include "editor/CEditNoteDlg.h"

#include "editor/CAttachmentsDlg.h"
#include "editor/CAttachmentsListCtrl.h"
#include "editor/CNoteEditCtrl.h"
#include "editor/CSaveWarningDlg.h"
#include "editor/EditorPalette.h"
#include "editor/widgets/CCategoryTreeCtrl.h"
#include "editor/widgets/FileDialogs.h"
#include "editor/widgets/NoteTextFont.h"
#include "editor/widgets/RichDocumentMapper.h"
#include "format/NoteFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "richtext/RtfReader.h"
#include "store/NoteDatabase.h"
#include "store/Settings.h"
#include "store/SourceStore.h"
#include "support/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <type_traits>

namespace {

// Runs act on the modal window or pop-up menu with that object name as soon as it is up.
void WhenModal(const QString& objectName, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, act] {
        QWidget* modal = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                           : QApplication::activeModalWidget();
        if (!modal || modal->objectName() != objectName)
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// Keeps every message the program shows in its progress and notification windows.
struct RecordedProgress : ProgressReporter
{
    QStringList messages;
    bool shown = false;
    void Begin(const QString& message, int) override { Show(message); }
    void SetMessage(const QString& message) override { Show(message); }
    void Notify(const QString& text) override { Show(text); }
    void End() override { shown = false; }
    void Show(const QString& message)
    {
        messages.append(message);
        shown = true;
    }
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class CEditNoteDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    DataFolder m_folder;
    ChangeNotice m_changes;
    std::unique_ptr<SourceStore> m_sources;
    std::unique_ptr<NoteDatabase> m_database;
    Settings m_settings;
    ScriptedPrompt m_prompt;

    std::unique_ptr<CEditNoteDlg> Editor(const NoteRecord& note)
    {
        auto editor = std::make_unique<CEditNoteDlg>(*m_database, *m_sources, m_settings, m_prompt, note);
        editor->show();
        return editor;
    }

    void TypeNote(CEditNoteDlg& editor, const QString& text)
    {
        editor.TextControl()->setFocus();
        QTest::keyClicks(editor.TextControl(), text);
    }

    NotesList StoredNotes() const { return m_database->LoadAllNotes(); }

    QStringList ImageFiles() const
    {
        return QDir(m_folder.ImagesFolder()).entryList(QDir::Files, QDir::Name);
    }

    NoteRecord SaveNew(const QString& text)
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, text);
        editor->Save();
        return editor->Record();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = DataFolder(m_dir->path(), m_dir->filePath(QStringLiteral("bin")));
        QVERIFY(m_folder.CreateFolders());
        m_sources = std::make_unique<SourceStore>(m_folder, m_changes);
        m_database = std::make_unique<NoteDatabase>(m_folder, m_changes);
        m_database->LoadNoteDatabase(*m_sources);
        m_settings = Settings();
        m_settings.szSaveWarning = 0;
        m_prompt = ScriptedPrompt();
    }

    void cleanup()
    {
        m_database.reset();
        m_sources.reset();
        m_dir.reset();
    }

    void savingANewNoteStoresItWithBothDates()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("A first note"));
        QVERIFY(editor->Save());
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        const NotesList stored = StoredNotes();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first().PlainText, QStringLiteral("A first note"));
        QVERIFY(stored.first().NoteID > 0);
        QCOMPARE(stored.first().NoteID, editor->Record().NoteID);
        QCOMPARE(stored.first().DateAdded, stored.first().LastEdited);
        QVERIFY(stored.first().RichText.startsWith(QLatin1String("{\\rtf1")));
    }

    void editingChangesOnlyLastEdited()
    {
        NoteRecord saved = SaveNew(QStringLiteral("Unchanged text"));
        saved.DateAdded = DateTime::FromParts(2001, 2, 3, 4, 5, 6);
        saved.LastEdited = saved.DateAdded;
        NoteRecord previous = saved;
        QVERIFY(m_database->SaveNote(previous, saved)); // an older note, as if from an earlier day
        const NoteRecord before = StoredNotes().first();

        auto editor = Editor(before);
        QVERIFY(editor->Save());
        const NoteRecord after = StoredNotes().first();
        QCOMPARE(after.DateAdded, before.DateAdded);
        QVERIFY(!(after.LastEdited == before.LastEdited));
        NoteRecord expected = before;
        expected.LastEdited = after.LastEdited;
        QVERIFY(after.SameStoredFields(expected));
    }

    void emptyTextIsRefusedAndTheEditorStaysOpen()
    {
        auto editor = Editor(NoteRecord());
        editor->KeyWordsEdit()->setText(QStringLiteral("kept"));
        QVERIFY(!editor->Save());
        QCOMPARE(m_prompt.History().size(), 1);
        QCOMPARE(m_prompt.History().first().text, QStringLiteral("Note must contain some text."));
        QCOMPARE(m_prompt.History().first().caption, QStringLiteral("No Text In Note"));
        QCOMPARE(m_prompt.History().first().icon, UserPrompt::Icon::Warning);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->KeyWordsEdit()->text(), QStringLiteral("kept"));
        QVERIFY(StoredNotes().isEmpty());
    }

    void enterNeverSavesAndEscapeCancels()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("line"));
        QTest::keyClick(editor->KeyWordsEdit(), Qt::Key_Return);
        QVERIFY(editor->isVisible());
        QTest::keyClick(editor->TextControl(), Qt::Key_Return);
        QCOMPARE(editor->TextControl()->PlainText(), QStringLiteral("line\n"));
        QTest::keyClick(editor.get(), Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), int(QDialog::Rejected));
        QVERIFY(StoredNotes().isEmpty());
    }

    void cancelWithTheWarningAsksFirst()
    {
        m_settings.szSaveWarning = 1;
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("draft"));
        WhenModal(QStringLiteral("saveWarningDlg"),
                  [](QWidget* w) { static_cast<CSaveWarningDlg*>(w)->NoButton()->click(); });
        editor->Cancel();
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->TextControl()->PlainText(), QStringLiteral("draft"));

        WhenModal(QStringLiteral("saveWarningDlg"),
                  [](QWidget* w) { static_cast<CSaveWarningDlg*>(w)->YesButton()->click(); });
        editor->Cancel();
        QVERIFY(!editor->isVisible());
        QVERIFY(StoredNotes().isEmpty());
    }

    void turningTheWarningOffClosesAndIsRemembered()
    {
        m_settings.szSaveWarning = 1;
        int saves = 0;
        auto editor = Editor(NoteRecord());
        editor->SetSettingsSaver([&saves] {
            ++saves;
            return FileStatus::Ok();
        });
        TypeNote(*editor, QStringLiteral("draft"));
        WhenModal(QStringLiteral("saveWarningDlg"),
                  [](QWidget* w) { static_cast<CSaveWarningDlg*>(w)->DontShowBox()->click(); });
        editor->Cancel();
        QVERIFY(!editor->isVisible());
        QCOMPARE(m_settings.szSaveWarning, 0);
        QCOMPARE(saves, 1);

        // The next Cancel closes at once: no warning comes up to answer.
        auto second = Editor(NoteRecord());
        second->Cancel();
        QVERIFY(!second->isVisible());
    }

    void keyWordsAreTrimmedAtBothEndsOnly()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("text"));
        editor->KeyWordsEdit()->setText(QStringLiteral("   alpha,  beta gamma , delta  "));
        QVERIFY(editor->Save());
        QCOMPARE(StoredNotes().first().KeyWords, QStringLiteral("alpha,  beta gamma , delta"));
    }

    void categoriesChosenInThePickerAreStored()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("filed"));
        CCategoryTreeCtrl* picker = editor->CategoryControl();
        // Level 2 cannot be chosen before Level 1.
        QVERIFY(!picker->OpenEditor(1));
        QVERIFY(picker->OpenEditor(0));
        picker->Editor()->setEditText(QStringLiteral("  Science  "));
        QVERIFY(picker->OpenEditor(1));
        picker->Editor()->setEditText(QStringLiteral("Physics"));
        QCOMPARE(picker->Row(0)->text(0), QStringLiteral("- Science"));
        QCOMPARE(picker->Row(1)->text(0), QStringLiteral("- Physics"));
        QCOMPARE(picker->Row(2)->text(0), QStringLiteral("- <UNASSIGNED>"));
        QCOMPARE(editor->findChild<QLabel*>(QStringLiteral("levelLabel"))->text(),
                 QStringLiteral("Level 2 Category:"));
        QVERIFY(editor->Save());

        const NoteRecord stored = StoredNotes().first();
        QCOMPARE(stored.Categories.NameAt(0), QStringLiteral("Science"));
        QCOMPARE(stored.Categories.NameAt(1), QStringLiteral("Physics"));
        QCOMPARE(stored.Categories.NameAt(2), QStringLiteral("<UNASSIGNED>"));

        // The next note is offered the names now known, and a changed Level 1 clears below.
        auto next = Editor(stored);
        QVERIFY(next->CategoryControl()->OpenEditor(1));
        QCOMPARE(next->CategoryControl()->Editor()->findText(QStringLiteral("Physics")), 1);
        QVERIFY(next->CategoryControl()->OpenEditor(0));
        next->CategoryControl()->Editor()->setEditText(QStringLiteral("Art"));
        QCOMPARE(next->CategoryControl()->Assignment().NameAt(1), QStringLiteral("<UNASSIGNED>"));
    }

    void attachmentsAreCopiedAndDeletedOnlyOnSave()
    {
        const QString outside = m_dir->filePath(QStringLiteral("Report.PDF"));
        WriteFile(outside, "pdf bytes");
        WriteFile(m_folder.ImagesFolder() + QStringLiteral("/0000007.txt"), "older");

        // Added, then the note cancelled: nothing is copied.
        {
            auto editor = Editor(NoteRecord());
            TypeNote(*editor, QStringLiteral("with a file"));
            NoteRecord& note = const_cast<NoteRecord&>(editor->Record());
            CAttachmentsDlg attachments(note, m_folder, m_prompt);
            QVERIFY(attachments.AddFile(outside));
            QVERIFY(!attachments.AddFile(outside));
            QCOMPARE(m_prompt.LastText(),
                     QStringLiteral("File is already attached, or it is an invalid file."));
            QCOMPARE(note.Attachments.size(), 1);
            QCOMPARE(note.Attachments.first().Kind, qint32(KindPdf));
            editor->Cancel();
        }
        QCOMPARE(ImageFiles(), QStringList {QStringLiteral("0000007.txt")});

        // Added and saved: copied in under the next number.
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("with a file"));
        {
            CAttachmentsDlg attachments(const_cast<NoteRecord&>(editor->Record()), m_folder, m_prompt);
            QVERIFY(attachments.AddFile(outside));
        }
        QVERIFY(editor->Save());
        QCOMPARE(ImageFiles(), (QStringList {QStringLiteral("0000007.txt"), QStringLiteral("0000008.pdf")}));
        const NoteRecord saved = StoredNotes().first();
        QCOMPARE(saved.Attachments.first().StoredName, QStringLiteral("0000008.pdf"));
        QCOMPARE(saved.Attachments.first().Title, QStringLiteral("Report.PDF"));

        // Removed in the dialog: the file stays until the note is saved.
        auto again = Editor(saved);
        {
            CAttachmentsDlg attachments(const_cast<NoteRecord&>(again->Record()), m_folder, m_prompt);
            attachments.SelectAttachment(0);
            m_prompt.SetNextAnswer(UserPrompt::Answer::Yes);
            attachments.RemoveAttachment();
            QCOMPARE(m_prompt.LastText(),
                     QStringLiteral("Do you wish to remove the selected attachment: \"Report.PDF\"?"));
        }
        QCOMPARE(ImageFiles().size(), 2);
        QVERIFY(again->Save());
        QCOMPARE(ImageFiles(), QStringList {QStringLiteral("0000007.txt")});
        QVERIFY(StoredNotes().first().Attachments.isEmpty());
    }

    void attachmentsDialogEditsTheSelectedAttachment()
    {
        const QString photo = m_dir->filePath(QStringLiteral("photo.JPG"));
        WriteFile(photo, "not really a picture");
        NoteRecord note;
        CAttachmentsDlg attachments(note, m_folder, m_prompt);
        QVERIFY(!attachments.TitleEdit()->isEnabled());
        QVERIFY(attachments.AddFile(photo));
        QCOMPARE(attachments.TypeList()->currentText(), QStringLiteral("IMAGE FILE"));
        QVERIFY(!attachments.IconBox()->isChecked());
        attachments.IconBox()->click();
        QVERIFY(!note.Attachments.first().ShowImage);
        QTest::keyClicks(attachments.TitleEdit(), QStringLiteral("Holiday"));
        QCOMPARE(note.Attachments.first().Title, QStringLiteral("Holiday"));
        QCOMPARE(attachments.List()->item(0, 0)->text(), QStringLiteral("Holiday"));
        QCOMPARE(note.Attachments.first().OriginalName, QStringLiteral("photo.JPG"));
    }

    void sourceBoxShowsTheCitationAndRemoveSourceClearsIt()
    {
        SourceRecord source = m_sources->NewSource(1);
        source.Fields[0] = QStringLiteral("Origins of Order");
        QVERIFY(m_sources->AddSource(source));
        NoteRecord note;
        note.SourceID = source.SourceId;
        NotesList one {note};
        m_sources->FillAttachedSources(one);

        auto editor = Editor(one.first());
        QVERIFY(editor->SourceDisplay()->toPlainText().contains(QStringLiteral("Origins of Order")));
        QVERIFY(editor->Button(1021)->isEnabled());
        QVERIFY(!editor->Button(1020)->isEnabled()); // no source selection set up
        editor->RemoveSource();
        QVERIFY(editor->SourceDisplay()->toPlainText().isEmpty());
        TypeNote(*editor, QStringLiteral("no source now"));
        QVERIFY(editor->Save());
        QCOMPARE(StoredNotes().first().SourceID, 0);
    }

    void chooseSourceTakesTheChosenSourceFromItsFile()
    {
        SourceRecord source = m_sources->NewSource(1);
        source.Fields[0] = QStringLiteral("Chosen Title");
        QVERIFY(m_sources->AddSource(source));
        auto editor = Editor(NoteRecord());
        std::optional<qint32> answer = source.SourceId;
        qint32 offered = -99;
        editor->SetSourceChooser([&](QWidget*, qint32 current) {
            offered = current;
            return answer;
        });
        QVERIFY(editor->Button(1020)->isEnabled());
        editor->ChooseSource();
        QCOMPARE(offered, 0);
        QCOMPARE(editor->Record().SourceID, source.SourceId);
        QVERIFY(editor->SourceDisplay()->toPlainText().contains(QStringLiteral("Chosen Title")));
        // An id that names no source, or none, leaves the note without one.
        answer = 4242;
        editor->ChooseSource();
        QCOMPARE(editor->Record().SourceID, 0);
        QVERIFY(editor->SourceDisplay()->toPlainText().isEmpty());
    }

    void theNumberedListsStartIsChosenAndStored()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("first"));
        QTest::keyClick(editor->TextControl(), Qt::Key_Return);
        QTest::keyClicks(editor->TextControl(), QStringLiteral("second"));
        QSpinBox* start = editor->NumberStartBox();
        QVERIFY(start);
        QVERIFY(!start->isEnabled()); // no numbered list at the caret
        editor->TextControl()->selectAll();
        editor->ApplyNumberingCommand(2); // "1)"
        QVERIFY(start->isEnabled());
        QCOMPARE(start->value(), 1);

        // Typed: the whole list starts there.
        start->setFocus();
        start->selectAll();
        QTest::keyClicks(start, QStringLiteral("5"));
        QTest::keyClick(start, Qt::Key_Return);
        const QTextDocument* document = editor->TextControl()->document();
        QCOMPARE(RichDocumentMapper::ListLabel(document->findBlockByNumber(0)), QStringLiteral("5)"));
        QCOMPARE(RichDocumentMapper::ListLabel(document->findBlockByNumber(1)), QStringLiteral("6)"));
        // The arrows step it; numbers go down to 0.
        start->stepBy(-6);
        QCOMPARE(RichDocumentMapper::ListLabel(document->findBlockByNumber(0)), QStringLiteral("0)"));
        start->stepBy(3);
        QCOMPARE(RichDocumentMapper::ListLabel(document->findBlockByNumber(1)), QStringLiteral("4)"));

        // Saved, the start is in the note's RTF and comes back with it.
        QVERIFY(editor->Save());
        const NoteRecord saved = StoredNotes().first();
        QVERIFY2(saved.RichText.contains(QLatin1String("\\pnstart3")), qPrintable(saved.RichText));
        const RichDocument stored = RtfReader::Read(RichDocumentMapper::RtfBytes(saved.RichText));
        QCOMPARE(stored.paragraphs.size(), 2);
        QCOMPARE(stored.paragraphs[0].format.list.start, 3);
        QCOMPARE(stored.paragraphs[1].format.list.start, 3);

        // Letters start at "a)" at the lowest.
        auto lettered = Editor(saved);
        lettered->TextControl()->selectAll();
        lettered->ApplyNumberingCommand(3);
        QCOMPARE(lettered->NumberStartBox()->value(), 3);
        lettered->NumberStartBox()->setValue(0);
        QCOMPARE(lettered->NumberStartBox()->value(), 1);
        QCOMPARE(RichDocumentMapper::ListLabel(lettered->TextControl()->document()->begin()),
                 QStringLiteral("a)"));
    }

    void newTextTakesTheEditFontsColour()
    {
        FontSetting setting = NoteTextFont::DefaultSetting();
        setting.Red = 0;
        setting.Green = 0;
        setting.Blue = 128; // Navy
        auto editor = Editor(NoteRecord());
        editor->SetTextFont(NoteTextFont::FromSetting(setting));
        TypeNote(*editor, QStringLiteral("in navy"));
        QVERIFY(editor->Save());
        const RichDocument stored
            = RtfReader::Read(RichDocumentMapper::RtfBytes(StoredNotes().first().RichText));
        QCOMPARE(stored.paragraphs.first().runs.first().format.textColour, std::optional<quint32>(0x000080));
        QCOMPARE(stored.paragraphs.first().runs.first().format.fontFamily, QStringLiteral("Times New Roman"));

        // Black is the automatic colour: the text stores none.
        auto black = Editor(NoteRecord());
        black->SetTextFont(NoteTextFont::FromSetting(NoteTextFont::DefaultSetting()));
        TypeNote(*black, QStringLiteral("automatic"));
        QVERIFY(black->Save());
        for (const NoteRecord& note : StoredNotes()) {
            if (note.PlainText.startsWith(QLatin1String("automatic")))
                QVERIFY(!RtfReader::Read(RichDocumentMapper::RtfBytes(note.RichText))
                             .paragraphs.first()
                             .runs.first()
                             .format.textColour);
        }
    }

    void extractingAnAttachmentSaysSoAndCopiesIt()
    {
        const QString outside = m_dir->filePath(QStringLiteral("notes.txt"));
        WriteFile(outside, "the text");
        NoteRecord note;
        CAttachmentsDlg attachments(note, m_folder, m_prompt);
        RecordedProgress progress;
        attachments.SetProgress(&progress);
        QVERIFY(attachments.AddFile(outside));
        const QString target = m_dir->filePath(QStringLiteral("copy.txt"));
        FileDialogs::SetNextFileName(target);
        attachments.ExtractAttachment();
        QCOMPARE(progress.messages, QStringList {QStringLiteral("Extracting file....")});
        QVERIFY(!progress.shown);
        QFile copy(target);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("the text"));
        // Cancelled: nothing is said.
        FileDialogs::SetNextFileName(QString());
        attachments.ExtractAttachment();
        QCOMPARE(progress.messages.size(), 1);
    }

    void colourCommandsColourTextOrHighlightIt()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("ab"));
        QTextCursor cursor = editor->TextControl()->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(1, QTextCursor::KeepAnchor);
        editor->TextControl()->setTextCursor(cursor);
        editor->ApplyColourCommand(32800); // Red
        QCOMPARE(editor->TextControl()->currentCharFormat().foreground().color(), QColor(255, 0, 0));
        QVERIFY(!editor->TextControl()->currentCharFormat().hasProperty(QTextFormat::BackgroundBrush));
        WhenModal(QStringLiteral("colourMenu"), [](QWidget* menu) { menu->close(); });
        editor->Button(1068)->click(); // highlight mode on, the colours pop up
        QVERIFY(editor->HighlightMode());
        editor->ApplyColourCommand(32802); // Yellow
        QCOMPARE(editor->TextControl()->currentCharFormat().background().color(), QColor(255, 255, 0));
        editor->Button(1068)->click(); // released: the highlight goes
        QVERIFY(!editor->HighlightMode());
        QVERIFY(!editor->TextControl()->currentCharFormat().hasProperty(QTextFormat::BackgroundBrush));
    }

    void theSpellCheckBoxIsStoredInverted()
    {
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("unchecked words"));
        auto* box = editor->findChild<QCheckBox*>(QStringLiteral("disableSpellCheck"));
        QVERIFY(box->isEnabled());
        QVERIFY(!box->isChecked());
        box->click();
        QVERIFY(editor->Save());
        QCOMPARE(StoredNotes().first().SpellCheck, false);

        m_settings.EnableSpellCheck = 0;
        auto off = Editor(StoredNotes().first());
        QVERIFY(!off->findChild<QCheckBox*>(QStringLiteral("disableSpellCheck"))->isEnabled());
    }

    void filesDroppedOnTheAttachmentsDialogAreAdded()
    {
        const QString first = m_dir->filePath(QStringLiteral("song.mp3"));
        const QString second = m_dir->filePath(QStringLiteral("main.c"));
        WriteFile(first, "music");
        WriteFile(second, "code");
        NoteRecord note;
        CAttachmentsDlg attachments(note, m_folder, m_prompt);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        // Straight to the dialog: outside a real drag the application lets no drop through.
        static_cast<QObject&>(attachments).event(&drop);
        QCOMPARE(note.Attachments.size(), 2);
        QCOMPARE(note.Attachments[0].Kind, qint32(KindMusic));
        // "c" is found in the document list ("doc") before the code list.
        QCOMPARE(note.Attachments[1].Kind, qint32(KindDocument));
        QCOMPARE(attachments.List()->rowCount(), 2);
        attachments.SelectAttachment(1);
        attachments.MoveAttachment(-1);
        QCOMPARE(note.Attachments[0].OriginalName, QStringLiteral("main.c"));
        QCOMPARE(attachments.List()->SelectedRow(), 0);
        attachments.MoveAttachment(-1);
        QCOMPARE(note.Attachments[0].OriginalName, QStringLiteral("main.c"));
    }

    void theToolBarOffersTheStandardColoursAndOneNamePerFace()
    {
        const struct
        {
            int command;
            const char* name;
            QColor colour;
        } colours[] = {{32791, "Black", QColor(0, 0, 0)},      {32792, "Maroon", QColor(128, 0, 0)},
                       {32798, "Gray", QColor(128, 128, 128)}, {32799, "Silver", QColor(192, 192, 192)},
                       {32800, "Red", QColor(255, 0, 0)},      {32805, "Aqua", QColor(0, 255, 255)},
                       {32806, "White", QColor(255, 255, 255)}};
        for (const auto& expected : colours) {
            const int index = expected.command - EditorPalette::kFirstColourCommand;
            QCOMPARE(EditorPalette::ColourName(index), QLatin1String(expected.name));
            QCOMPARE(EditorPalette::Colour(index), expected.colour);
        }
        QVERIFY(!EditorPalette::Colour(16).isValid());

        const QStringList installed {QStringLiteral("Arial"),     QStringLiteral("Arial Greek"),
                                     QStringLiteral("Arial CYR"), QStringLiteral("Arial Baltic"),
                                     QStringLiteral("Arial CE"),  QStringLiteral("Arial TUR"),
                                     QStringLiteral("Arial"),     QStringLiteral("Times New Roman")};
        QCOMPARE(EditorPalette::FontNames(installed),
                 (QStringList {QStringLiteral("Arial"), QStringLiteral("Times New Roman")}));
    }

    void aFailedWriteKeepsTheEditorOpenWithItsText()
    {
        if constexpr (std::is_void_v<decltype(std::declval<NoteDatabase&>().SaveNote(
                          std::declval<const NoteRecord&>(), std::declval<NoteRecord&>()))>)
            QSKIP("the note database does not report write errors in this build");
        // A folder where today's note file belongs: no one can write the file there.
        NoteRecord today;
        today.DateAdded = DateTime::CurrentLocal();
        QVERIFY(QDir().mkpath(m_database->NoteFilePath(today)));
        auto editor = Editor(NoteRecord());
        TypeNote(*editor, QStringLiteral("not lost"));
        const bool saved = editor->Save();
        QVERIFY(!saved);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->TextControl()->PlainText(), QStringLiteral("not lost"));
    }
};

QTEST_MAIN(CEditNoteDlgTest)
#include "CEditNoteDlgTest.moc"
