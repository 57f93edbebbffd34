#include "ui/COptGeneralPg.h"

#include "editor/widgets/ClampingSpinBox.h"
#include "editor/widgets/NoteTextFont.h"
#include "store/Settings.h"
#include "store/SettingsBackend.h"
#include "ui/CSyncOptionsBox.h"
#include "ui/OptionCheckBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kSmallestSource = 5;
constexpr int kLargestSource = 100;

QGroupBox* Group(const QString& title, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setAccessibleName(title);
    new QVBoxLayout(group);
    return group;
}

} // namespace

COptGeneralPg::COptGeneralPg(const OptionsContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("generalPage"));
    setAccessibleName(QStringLiteral("< General >"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildFonts());
    layout->addWidget(BuildSources());
    layout->addWidget(BuildCategories());
    layout->addWidget(BuildAttachments());
    layout->addWidget(BuildOther());
    layout->addWidget(new CSyncOptionsBox(context, this));
    layout->addStretch(1);
    EnableDependents();
}

QCheckBox* COptGeneralPg::Check(const QString& text, const QString& tip, const char* name, bool on)
{
    return MakeOptionCheckBox(this, text, tip, name, on);
}

QWidget* COptGeneralPg::BuildFonts()
{
    QGroupBox* group = Group(QStringLiteral("Program Fonts"), this);
    auto* font = new QPushButton(QStringLiteral("Change Default Note Edit Font"), group);
    font->setObjectName(QStringLiteral("editTextFont"));
    font->setAccessibleName(font->text());
    font->setToolTip(QStringLiteral("The font new notes are written in"));
    connect(font, &QPushButton::clicked, this, &COptGeneralPg::ChangeEditFont);
    group->layout()->addWidget(font);
    return group;
}

QWidget* COptGeneralPg::BuildSources()
{
    Settings& settings = *m_context.settings;
    QGroupBox* group = Group(QStringLiteral("Source Options"), this);
    m_showSources
        = Check(QStringLiteral("Show Sources in Notes"), QStringLiteral("Each note shows its source"),
                "showSources", settings.ShowSources != 0);
    auto* sizeLabel = new QLabel(QStringLiteral("Source Text Size:"), group);
    m_sourceSize = new ClampingSpinBox(kSmallestSource, kLargestSource, group);
    m_sourceSize->setObjectName(QStringLiteral("sourceSize"));
    m_sourceSize->setAccessibleName(QStringLiteral("Source Text Size:"));
    m_sourceSize->setToolTip(QStringLiteral("Size of the source and category lines, 5 to 100"));
    // Any number may be typed; one outside 5 to 100 is corrected when it is entered, and
    // only a number within the range is stored.
    m_sourceSize->setKeyboardTracking(false);
    m_sourceSize->ShowValue(settings.SourceSize);
    sizeLabel->setBuddy(m_sourceSize);
    m_sourceTop = Check(QStringLiteral("Sources on top of Note"),
                        QStringLiteral("The source line stands above the note, not below"), "sourceTop",
                        settings.SourceTop != 0);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeLabel);
    sizeRow->addWidget(m_sourceSize);
    sizeRow->addStretch(1);
    auto* box = static_cast<QVBoxLayout*>(group->layout());
    box->addWidget(m_showSources);
    box->addLayout(sizeRow);
    box->addWidget(m_sourceTop);
    connect(m_showSources, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->ShowSources = on ? 1 : 0;
        EnableDependents();
        m_context.Relayout();
    });
    connect(m_sourceSize, &ClampingSpinBox::ValueTaken, this, &COptGeneralPg::SourceSizeChanged);
    connect(m_sourceTop, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->SourceTop = on ? 1 : 0;
        m_context.Relayout();
    });
    return group;
}

QWidget* COptGeneralPg::BuildCategories()
{
    Settings& settings = *m_context.settings;
    QGroupBox* group = Group(QStringLiteral("Category Options"), this);
    m_showCats
        = Check(QStringLiteral("Show Categories in Notes"),
                QStringLiteral("Each note shows its category paths"), "showCats", settings.ShowCats != 0);
    m_catsTop = Check(QStringLiteral("Categories on top of Note"),
                      QStringLiteral("The category lines stand above the note, not below"), "catsTop",
                      settings.CatsTop != 0);
    group->layout()->addWidget(m_showCats);
    group->layout()->addWidget(m_catsTop);
    connect(m_showCats, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->ShowCats = on ? 1 : 0;
        EnableDependents();
        m_context.Relayout();
    });
    connect(m_catsTop, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->CatsTop = on ? 1 : 0;
        m_context.Relayout();
    });
    return group;
}

QWidget* COptGeneralPg::BuildAttachments()
{
    QGroupBox* group = Group(QStringLiteral("Attachment Options"), this);
    auto* font = new QPushButton(QStringLiteral("Image Title Font"), group);
    font->setObjectName(QStringLiteral("imgTitleFont"));
    font->setAccessibleName(font->text());
    font->setToolTip(QStringLiteral("The font of the titles of attached pictures"));
    connect(font, &QPushButton::clicked, this, &COptGeneralPg::ChangeImageTitleFont);
    group->layout()->addWidget(font);
    return group;
}

QWidget* COptGeneralPg::BuildOther()
{
    QGroupBox* group = Group(QStringLiteral("Other Options"), this);
    m_updates = Check(QStringLiteral("Check for updates on start"),
                      QStringLiteral("Look for a newer version when the program starts"), "checkForUpdates",
                      m_context.settings->CheckForUpdates != 0);
    group->layout()->addWidget(m_updates);
    connect(m_updates, &QCheckBox::clicked, this, [this](bool on) {
        m_context.settings->CheckForUpdates = on ? 1 : 0;
        m_context.Store();
    });
    // Beyond the program's first options: the drop-down of hits under the search field.
    auto* instant = Check(QStringLiteral("Show hits while typing in the search box"),
                          QStringLiteral("A list under the search field shows what the search would find, "
                                         "before Enter is pressed"),
                          "instantSearch", m_context.Number(QStringLiteral("InstantSearch"), 1) != 0);
    group->layout()->addWidget(instant);
    connect(instant, &QCheckBox::clicked, this,
            [this](bool on) { m_context.SetNumber(QStringLiteral("InstantSearch"), on ? 1 : 0); });
    return group;
}

void COptGeneralPg::EnableDependents()
{
    const bool sources = m_showSources->isChecked();
    m_sourceSize->setEnabled(sources);
    m_sourceTop->setEnabled(sources);
    m_catsTop->setEnabled(m_showCats->isChecked());
}

void COptGeneralPg::SourceSizeChanged(int value)
{
    m_context.settings->SourceSize = value;
    m_context.Relayout();
}

void COptGeneralPg::ChangeEditFont()
{
    if (!m_context.chooseFont || !m_context.backend)
        return;
    // The font and its colour: new note text is written in both.
    const QString section = NoteTextFont::SettingName();
    const FontSetting current
        = Settings::LoadFontSetting(*m_context.backend, section, NoteTextFont::DefaultSetting());
    if (const auto chosen = m_context.chooseFont(this, current)) {
        Settings::SaveFontSetting(*m_context.backend, section, *chosen);
        m_context.Report(m_context.backend->Sync());
    }
}

void COptGeneralPg::ChangeImageTitleFont()
{
    if (!m_context.chooseFont)
        return;
    if (const auto chosen = m_context.chooseFont(this, m_context.settings->ImgTitleFont)) {
        m_context.settings->ImgTitleFont = *chosen;
        m_context.Store();
        if (m_context.redrawView)
            m_context.redrawView();
    }
}
