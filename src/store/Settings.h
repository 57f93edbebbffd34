#pragma once

#include "format/FieldFormat.h"
#include "format/FileStatus.h"
#include "format/NoteSortIds.h"
#include "format/Version.h"
#include "store/FontSetting.h"
#include "store/StoredRect.h"

#include <QSize>
#include <QString>

class SettingsBackend;

// The user's preferences and the id counters, read once at start-up and written back as
// a whole. The members carry the names of the stored values of group "Options" and hold
// their defaults, so a default-constructed Settings is what a first start sees.
class Settings
{
public:
    qint32 Maximized = 1;
    StoredRect FrameRect;
    StoredRect ViewSrcRect;
    StoredRect EditNoteRect;
    qint32 ShowSources = 1;
    qint32 SourceSize = 15;
    qint32 SourceFormat = 1;
    qint32 MaxNoteID = 1000;
    qint32 NoteSortID = NoteSortId::AddToBottom;
    qint32 ShowCats = 1;
    qint32 CatsTop = 0;
    qint32 SourceTop = 0;
    QString ListSelection = QStringLiteral("<SAVE_NEW_LIST>");
    QString ProgVersion = QStringLiteral("-1");
    // Held as a factor: the stored percentage times 0.01.
    double ZoomLvl = 1.0;
    qint32 ShowCtrlBar = 1;
    qint32 ActIndCtrlBar = 0;
    qint32 CtrlBarSortSrc = 30;
    qint32 MaxAuthorID = 1;
    qint32 ShowSrcFilters = 1;
    qint32 CheckForUpdates = 1;
    qint32 EnableSpellCheck = 1;
    qint32 szSaveWarning = 1;
    qint32 MarkBold = 0;
    qint32 MarkStrike = 0;
    qint32 MarkItalics = 1;
    qint32 MarkUnderline = 1;
    qint32 MarkSelColor = 9;
    // The agent runs together with the program when this is 2112.
    qint32 RunAgent = 0;
    FontSetting ImgTitleFont = DefaultImgTitleFont();

    // True as every stored flag has it ("RunAgent", "StartupAgent", Boolean fields).
    static constexpr qint32 TrueNumber = FieldFormat::kTrueValue;
    static QString RunningVersion() { return Version::Text(); }
    static QString OptionsGroup() { return QStringLiteral("Options"); }
    static FontSetting DefaultImgTitleFont();
    // "ZoomLvl" as stored: the factor times 100, truncated toward zero.
    static qint32 StoredZoom(double factor) { return static_cast<qint32>(factor * 100); }

    // Reads every value with its default; a missing value or one of the wrong kind reads
    // as the default. With a valid screen size, a "FrameRect" that keeps less than 10
    // pixels of width or height on the screen is discarded.
    void Load(const SettingsBackend& backend, QSize screen = QSize());
    // Writes every value in table order, then "ProgVersion" as the running version.
    // "RunAgent" is not written here: it follows the saved current list (SaveRunAgent).
    // Each returns the backend's failure to make the values durable.
    FileStatus Save(SettingsBackend& backend) const;
    FileStatus SaveRunAgent(SettingsBackend& backend) const;
    // Only "MaxNoteID" and "MaxAuthorID": the database's load makes its raised counters
    // durable at once, before the rest of start-up has run.
    FileStatus SaveCounters(SettingsBackend& backend) const;

    // "ProgVersion" as a number (0 when it is not one): greater than 0 once a version ran.
    double ProgVersionNumber() const;

    // Fonts in their own group. Loading takes each missing value from the default;
    // saving a font of height 0 stores 12.
    static FontSetting LoadFontSetting(const SettingsBackend& backend, const QString& section,
                                       const FontSetting& defaultFont);
    static void SaveFontSetting(SettingsBackend& backend, const QString& section, const FontSetting& font);

    // The "FrameRect" screen rule on its own: all zeros when less than 10 pixels of width
    // or height of the rectangle lie on a screen of the given size.
    static StoredRect FitToScreen(const StoredRect& rect, QSize screen);
};
