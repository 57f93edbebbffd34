#include "ui/CFontColourDlg.h"

#include "editor/EditorPalette.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

QIcon Swatch(const QColor& colour)
{
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    QPainter(&swatch).drawRect(0, 0, 13, 13);
    return QIcon(swatch);
}

} // namespace

CFontColourDlg::CFontColourDlg(const FontSetting& current, QWidget* parent)
    : QDialog(parent)
    , m_current(current)
{
    setObjectName(QStringLiteral("fontColourDlg"));
    setWindowTitle(QStringLiteral("Font"));
    setAccessibleName(windowTitle());

    // The platform's font dialog, shown inside this one without its own buttons.
    m_fonts = new QFontDialog(this);
    m_fonts->setObjectName(QStringLiteral("fontChooser"));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setCurrentFont(ToFont(current));

    m_colours = new QComboBox(this);
    m_colours->setObjectName(QStringLiteral("fontColour"));
    m_colours->setAccessibleName(QStringLiteral("Color:"));
    m_colours->setToolTip(QStringLiteral("The colour of the text"));
    const QColor stored(std::clamp(current.Red, 0, 255), std::clamp(current.Green, 0, 255),
                        std::clamp(current.Blue, 0, 255));
    for (int i = 0; i < EditorPalette::kColourCount; ++i)
        m_colours->addItem(Swatch(EditorPalette::Colour(i)), EditorPalette::ColourName(i),
                           EditorPalette::Colour(i));
    int chosen = m_colours->findData(QVariant::fromValue(stored));
    if (chosen < 0) {
        m_colours->addItem(Swatch(stored), QStringLiteral("Custom"), QVariant::fromValue(stored));
        chosen = m_colours->count() - 1;
    }
    m_colours->setCurrentIndex(chosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* colourLabel = new QLabel(QStringLiteral("Color:"), this);
    colourLabel->setBuddy(m_colours);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colours);
    colourRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts, 1);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

QFont CFontColourDlg::ToFont(const FontSetting& setting)
{
    QFont font(setting.FaceName);
    font.setPixelSize(std::max(1, std::abs(setting.Height)));
    font.setWeight(QFont::Weight(std::clamp(setting.Weight / 10 * 10, 100, 900)));
    font.setItalic(setting.Italic != 0);
    font.setUnderline(setting.Underline != 0);
    return font;
}

FontSetting CFontColourDlg::Chosen() const
{
    const QFont font = m_fonts->currentFont();
    FontSetting setting = m_current;
    setting.FaceName = font.family().left(31);
    setting.Height = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0);
    setting.Weight = font.weight();
    setting.Italic = font.italic() ? 1 : 0;
    setting.Underline = font.underline() ? 1 : 0;
    const QColor colour = m_colours->currentData().value<QColor>();
    setting.Red = colour.red();
    setting.Green = colour.green();
    setting.Blue = colour.blue();
    return setting;
}

std::optional<FontSetting> CFontColourDlg::Choose(QWidget* parent, const FontSetting& current)
{
    CFontColourDlg dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}
