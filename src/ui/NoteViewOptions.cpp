#include "ui/NoteViewOptions.h"

#include "store/Settings.h"

NoteViewOptions NoteViewOptions::FromSettings(const Settings& settings)
{
    NoteViewOptions options;
    options.showSources = settings.ShowSources == 1;
    options.sourceTop = settings.SourceTop == 1;
    options.showCats = settings.ShowCats == 1;
    options.catsTop = settings.CatsTop == 1;
    options.sourceSize = settings.SourceSize;
    options.zoom = settings.ZoomLvl > 0 ? settings.ZoomLvl : 1.0;
    options.imageTitleFont = settings.ImgTitleFont;
    return options;
}
