#include "ui/sources/CEditSourceDlg.h"

#include "editor/widgets/ClampingSpinBox.h"
#include "lists/SourceCommands.h"
#include "platform/UserPrompt.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceFilters.h"
#include "sources/SourceNames.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"
#include "ui/NamedControl.h"
#include "ui/sources/CSourcePreviewWnd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CEditSourceDlg::CEditSourceDlg(NoteDatabase& database, SourceStore& sources, UserPrompt& prompt,
                               const SourceRecord& source, bool isNew, QWidget* parent)
    : QDialog(parent)
    , m_database(database)
    , m_sources(sources)
    , m_prompt(prompt)
    , m_editor(source)
{
    m_editor.SetNew(isNew);
    setObjectName(QStringLiteral("editSourceDlg"));
    setWindowTitle(QStringLiteral("Edit Source"));
    setAccessibleName(QStringLiteral("Edit Source"));

    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildSourceArea(), 3);
    columns->addWidget(BuildAuthorArea(), 2);

    m_preview = new CSourcePreviewWnd(this);
    m_save = NamedControl(new QPushButton(QStringLiteral("Save"), this), "saveButton", QStringLiteral("Save"),
                          QStringLiteral("Save the source"));
    auto* cancel = NamedControl(new QPushButton(QStringLiteral("Cancel"), this), "cancelButton",
                                QStringLiteral("Cancel"), QStringLiteral("Close without saving"));
    m_save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &CEditSourceDlg::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_preview);
    layout->addLayout(buttons);

    FillLists();
    ShowSource();
    resize(900, 560);
}

QWidget* CEditSourceDlg::BuildSourceArea()
{
    auto* box = new QGroupBox(QStringLiteral("Source"), this);
    box->setAccessibleName(QStringLiteral("Source"));
    auto* form = new QFormLayout(box);
    m_type = NamedControl(new QComboBox(box), "sourceType", QStringLiteral("Source Type:"),
                          QStringLiteral("The kind of source"));
    m_style = NamedControl(new QComboBox(box), "formattingStyle", QStringLiteral("Formatting Style:"),
                           QStringLiteral("The citation style of this source"));
    m_title
        = NamedControl(new QLineEdit(box), "title", QStringLiteral("Title:"), QStringLiteral("The title"));
    m_publication = NamedControl(new QComboBox(box), "publication", QStringLiteral("Publication/Publisher:"),
                                 QStringLiteral("Type or pick the publication or publisher"));
    m_publication->setEditable(true);
    m_publication->setInsertPolicy(QComboBox::NoInsert);
    m_publicationLabel = new QLabel(QStringLiteral("Publication/Publisher:"), box);
    form->addRow(QStringLiteral("Source Type:"), m_type);
    form->addRow(QStringLiteral("Formatting Style:"), m_style);
    form->addRow(QStringLiteral("Title:"), m_title);
    form->addRow(m_publicationLabel, m_publication);
    for (int i = 0; i < 6; ++i) {
        m_labels[i] = new QLabel(box);
        m_fields[i] = NamedControl(new QLineEdit(box), "", QString(), QString());
        m_fields[i]->setObjectName(QStringLiteral("field%1").arg(i + 3));
        form->addRow(m_labels[i], m_fields[i]);
        connect(m_fields[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_editor.SetField(i + 3, text);
            Redraw();
        });
    }
    m_hasDate
        = NamedControl(new QCheckBox(QStringLiteral("Date:"), box), "hasDate", QStringLiteral("Date set"),
                       QStringLiteral("Clear to leave the source without a date"));
    m_date = NamedControl(new QDateEdit(box), "date", QStringLiteral("Date"),
                          QStringLiteral("Publication date"));
    m_date->setCalendarPopup(true);
    m_yearOnly
        = NamedControl(new QCheckBox(QStringLiteral("Use year only"), box), "yearOnly",
                       QStringLiteral("Use year only"), QStringLiteral("Only the year of the date counts"));
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date, 1);
    dateRow->addWidget(m_yearOnly);
    form->addRow(m_hasDate, dateRow);
    m_indent = NamedControl(new ClampingSpinBox(0, 10, box), "indentSpaces", QStringLiteral("Indent Spaces:"),
                            QStringLiteral("Hanging indent of the second and later lines, 0 to 10"));
    m_etAl = NamedControl(new ClampingSpinBox(1, 15, box), "authorsBeforeEtAl",
                          QStringLiteral("Authors Before 'et al':"),
                          QStringLiteral("Authors written before \"et al\", 1 to 15"));
    form->addRow(QStringLiteral("Indent Spaces:"), m_indent);
    form->addRow(QStringLiteral("Authors Before 'et al':"), m_etAl);

    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.SetField(0, text);
        Redraw();
    });
    connect(m_publication, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (m_filling)
            return;
        m_editor.SetField(1, text);
        Redraw();
    });
    connect(m_type, &QComboBox::activated, this, [this] {
        m_editor.SetType(m_type->currentData().toInt());
        ApplyType();
        Redraw();
    });
    connect(m_style, &QComboBox::activated, this, [this] {
        m_editor.SetStyle(m_style->currentData().toInt());
        ApplyType();
        Redraw();
    });
    connect(m_indent, &ClampingSpinBox::ValueTaken, this, [this](int value) {
        m_editor.SetIndentSpaces(value);
        Redraw();
    });
    connect(m_etAl, &ClampingSpinBox::ValueTaken, this, [this](int value) {
        m_editor.SetAuthorsBeforeEtAl(value);
        Redraw();
    });
    // A number typed outside the range becomes the bound, which the source takes as shown;
    // the preview follows with the next change.
    connect(m_indent, &ClampingSpinBox::ValueBounded, this,
            [this](int bound) { m_editor.SetIndentSpaces(bound); });
    connect(m_etAl, &ClampingSpinBox::ValueBounded, this,
            [this](int bound) { m_editor.SetAuthorsBeforeEtAl(bound); });
    auto dateChanged = [this] {
        if (m_filling)
            return;
        const QDate day = m_date->date();
        m_editor.SetDate(m_hasDate->isChecked()
                             ? DateTime::FromParts(day.year(), day.month(), day.day(), 0, 0, 0)
                             : DateTime());
        ShowYearOnly();
        Redraw();
    };
    connect(m_hasDate, &QCheckBox::toggled, this, dateChanged);
    connect(m_date, &QDateEdit::dateChanged, this, dateChanged);
    connect(m_yearOnly, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_editor.SetYearOnly(on);
        ShowYearOnly();
        Redraw();
    });
    return box;
}

void CEditSourceDlg::FillLists()
{
    m_filling = true;
    for (int type : SourceTypeDisplayOrder())
        m_type->addItem(SourceTypeName(type), type);
    for (int style : CitationStyleDisplayOrder())
        m_style->addItem(CitationStyleName(style), style);
    QStringList publications;
    for (const SourceRecord& source : m_sources.Sources())
        publications.append(source.Fields.value(1));
    m_publication->addItems(DistinctFilterValues(publications));
    m_filling = false;
}

void CEditSourceDlg::ShowSource()
{
    const SourceRecord& source = m_editor.Working();
    m_filling = true;
    m_type->setCurrentIndex(m_type->findData(source.Type));
    m_style->setCurrentIndex(m_style->findData(source.Style));
    m_title->setText(source.Fields[0]);
    m_publication->setEditText(source.Fields[1]);
    for (int i = 0; i < 6; ++i)
        m_fields[i]->setText(source.Fields[i + 3]);
    m_indent->setValue(std::clamp(source.IndentSpaces, 0, 10));
    m_etAl->setValue(std::clamp(source.AuthorsBeforeEtAl, 1, 15));
    m_hasDate->setChecked(source.DateSet);
    const DateTime shown = source.DateSet ? source.Date : DateTime::CurrentLocal();
    m_date->setDate(QDate(shown.Year(), shown.Month(), shown.Day()));
    m_filling = false;
    FillAuthorLists();
    ApplyType();
    Redraw();
}

void CEditSourceDlg::ApplyType()
{
    const int type = m_editor.Working().Type;
    m_publicationLabel->setText(SourceFieldLabel(type, 1));
    m_publication->setAccessibleName(SourceFieldLabel(type, 1));
    for (int i = 0; i < 6; ++i) {
        const QString label = SourceFieldLabel(type, i + 3);
        const bool used = !label.isEmpty();
        m_labels[i]->setText(used ? label : QStringLiteral("-"));
        m_fields[i]->setAccessibleName(used ? label : QStringLiteral("Unused field %1").arg(i + 3));
        m_fields[i]->setToolTip(used ? label.chopped(1) : QStringLiteral("Not used by this type of source"));
        m_fields[i]->setEnabled(used);
        // Emptied on the screen only: the working copy keeps the text until "Save".
        m_fields[i]->setText(used ? m_editor.Working().Fields[i + 3] : QString());
    }
    ShowYearOnly();
}

void CEditSourceDlg::ShowYearOnly()
{
    const SourceRecord& source = m_editor.Working();
    m_filling = true;
    m_yearOnly->setChecked(source.YearOnly == 1);
    m_yearOnly->setEnabled(m_editor.YearOnlyEnabled());
    m_date->setEnabled(source.DateSet);
    m_date->setDisplayFormat(source.YearOnly == 1 ? QStringLiteral("  yyyy") : QStringLiteral(" M/dd/yyyy"));
    m_filling = false;
}

void CEditSourceDlg::Redraw()
{
    SourceRecord shown = m_editor.Working();
    FormatCitation(shown, m_sources.Authors());
    m_preview->SetSource(shown);
}

void CEditSourceDlg::Save()
{
    QString error, caption;
    if (!SourceCommands::SaveEditedSource(m_database, m_sources, m_editor, &m_saved, &error, &caption)) {
        m_prompt.Tell(error, caption, UserPrompt::Icon::Warning);
        return;
    }
    accept();
}
