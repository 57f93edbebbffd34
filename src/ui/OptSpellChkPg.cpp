#include "ui/OptSpellChkPg.h"

#include "editor/CSpellOptionsDlg.h"
#include "editor/CUserDictionaryDlg.h"
#include "editor/SpellService.h"
#include "store/Settings.h"
#include "ui/CZolColourList.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OptSpellChkPg::OptSpellChkPg(const OptionsContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("spellPage"));
    setAccessibleName(QStringLiteral("< Spell Checker >"));
    Settings& settings = *m_context.settings;
    m_enable = new QCheckBox(QStringLiteral("Use Spell Checker in \"Edit Note\" window"), this);
    m_enable->setObjectName(QStringLiteral("enableSpellCheck"));
    m_enable->setAccessibleName(m_enable->text());
    m_enable->setToolTip(QStringLiteral("Check the spelling of notes as you type"));
    m_enable->setChecked(settings.EnableSpellCheck == 1);
    connect(m_enable, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->EnableSpellCheck = on ? 1 : 0;
        m_context.Store();
        EnableControls();
    });

    QPushButton* more = Button(QStringLiteral("More Options"),
                               QStringLiteral("Language and which words are checked"), "spellOptions");
    connect(more, &QPushButton::clicked, this, [this] {
        if (SpellChecker* checker = SpellService::Checker()) {
            CSpellOptionsDlg dialog(*checker, this);
            dialog.exec();
        }
    });
    QPushButton* dictionary
        = Button(QStringLiteral("User Dictionary"), QStringLiteral("The words you added to the dictionary"),
                 "userDictionary");
    connect(dictionary, &QPushButton::clicked, this, [this] {
        if (SpellChecker* checker = SpellService::Checker()) {
            CUserDictionaryDlg dialog(*checker, this);
            dialog.exec();
        }
    });

    auto* colourLabel = new QLabel(QStringLiteral("Select Color:"), this);
    m_colour = new CZolColourList(this);
    m_colour->setObjectName(QStringLiteral("markColour"));
    m_colour->setAccessibleName(QStringLiteral("Select Color:"));
    m_colour->setToolTip(QStringLiteral("The colour of misspelled words"));
    m_colour->FillColours(settings.MarkSelColor);
    colourLabel->setBuddy(m_colour);
    connect(m_colour, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_context.settings->MarkSelColor = index;
        MarksChanged();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(more);
    buttons->addWidget(dictionary);
    buttons->addStretch(1);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colour);
    colourRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enable);
    layout->addLayout(buttons);
    layout->addWidget(
        MarkBox(QStringLiteral("Mark misspelled words with BOLD."), "markBold", &Settings::MarkBold));
    layout->addWidget(MarkBox(QStringLiteral("Mark misspelled words with ITALICS."), "markItalics",
                              &Settings::MarkItalics));
    layout->addWidget(MarkBox(QStringLiteral("Mark misspelled words with UNDERLINE."), "markUnderline",
                              &Settings::MarkUnderline));
    layout->addWidget(MarkBox(QStringLiteral("Mark misspelled words with STRIKETHROUGH."), "markStrike",
                              &Settings::MarkStrike));
    layout->addLayout(colourRow);
    layout->addStretch(1);
    m_dependents << more << dictionary << colourLabel << m_colour;
    EnableControls();
}

QPushButton* OptSpellChkPg::Button(const QString& text, const QString& tip, const char* name)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(text);
    button->setToolTip(tip);
    return button;
}

QCheckBox* OptSpellChkPg::MarkBox(const QString& text, const char* name, qint32 Settings::*member)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(text);
    box->setToolTip(QStringLiteral("How misspelled words are marked"));
    box->setChecked(m_context.settings->*member != 0);
    connect(box, &QCheckBox::clicked, this, [this, member](bool on) {
        m_context.settings->*member = on ? 1 : 0;
        MarksChanged();
    });
    m_dependents << box;
    return box;
}

void OptSpellChkPg::MarksChanged()
{
    SpellService::SetMarks(*m_context.settings);
    m_context.Store();
}

void OptSpellChkPg::EnableControls()
{
    for (QWidget* widget : std::as_const(m_dependents))
        widget->setEnabled(m_enable->isChecked());
}
