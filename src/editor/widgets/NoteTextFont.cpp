#include "editor/widgets/NoteTextFont.h"

#include "store/Settings.h"

#include <algorithm>
#include <cmath>

namespace {

// A missing or tiny stored height gives the usual 12 points.
constexpr double kDefaultPoints = 12.0;
constexpr double kSmallestPoints = 8.0;

} // namespace

FontSetting NoteTextFont::DefaultSetting()
{
    FontSetting setting;
    setting.FaceName = QStringLiteral("Times New Roman");
    setting.Height = 18;
    setting.Weight = 400;
    return setting;
}

NoteTextFont NoteTextFont::FromSetting(const FontSetting& setting)
{
    NoteTextFont text;
    text.font = QFont(setting.FaceName.isEmpty() ? DefaultSetting().FaceName : setting.FaceName);
    const double points = std::abs(setting.Height) * 72.0 / 96.0;
    text.font.setPointSizeF(points >= kSmallestPoints ? points : kDefaultPoints);
    text.font.setBold(setting.Weight >= 600);
    text.font.setItalic(setting.Italic != 0);
    text.colour = QColor(std::clamp(setting.Red, 0, 255), std::clamp(setting.Green, 0, 255),
                         std::clamp(setting.Blue, 0, 255));
    return text;
}

NoteTextFont NoteTextFont::Load(const SettingsBackend& backend)
{
    return FromSetting(Settings::LoadFontSetting(backend, SettingName(), DefaultSetting()));
}

QColor NoteTextFont::TypedColour() const
{
    return colour.isValid() && colour != QColor(Qt::black) ? colour : QColor();
}
