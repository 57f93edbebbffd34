#include "editor/SpellService.h"

#include "editor/widgets/NamedColours.h"
#include "store/Settings.h"

namespace {

SpellChecker* g_checker = nullptr;
int g_style = SpellService::MarkBase | SpellService::MarkItalics | SpellService::MarkUnderline;
QColor g_colour = NamedColours::Colour(NamedColours::FallbackIndex);

} // namespace

SpellChecker* SpellService::Checker()
{
    return g_checker;
}

void SpellService::SetChecker(SpellChecker* checker)
{
    g_checker = checker;
}

int SpellService::StyleFromSettings(const Settings& settings)
{
    int style = MarkBase;
    if (settings.MarkBold)
        style |= MarkBold;
    if (settings.MarkStrike)
        style |= MarkStrike;
    if (settings.MarkItalics)
        style |= MarkItalics;
    if (settings.MarkUnderline)
        style |= MarkUnderline;
    return style;
}

void SpellService::SetMarks(const Settings& settings)
{
    g_style = StyleFromSettings(settings);
    g_colour = NamedColours::Colour(settings.MarkSelColor);
}

int SpellService::MarkStyle()
{
    return g_style;
}

QColor SpellService::MarkColour()
{
    return g_colour;
}
