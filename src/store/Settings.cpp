#include "store/Settings.h"

#include "store/SettingsBackend.h"

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace {

constexpr int kRectBytes = 16;
constexpr int kMinVisiblePixels = 10;

// Integer values: a missing value, or one that is not a number, reads as the default.
qint32 ReadInt(const SettingsBackend& backend, const QString& name, qint32 defaultValue)
{
    const QVariant value = backend.Value(Settings::OptionsGroup(), name);
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qint32 number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

QString ReadText(const SettingsBackend& backend, const QString& name, const QString& defaultValue)
{
    const QVariant value = backend.Value(Settings::OptionsGroup(), name);
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultValue;
    return value.toString();
}

// Rectangles are 16 raw bytes; anything else reads as all zeros.
StoredRect ReadRect(const SettingsBackend& backend, const QString& name)
{
    const QVariant value = backend.Value(Settings::OptionsGroup(), name);
    if (value.metaType().id() != QMetaType::QByteArray)
        return {};
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() != kRectBytes)
        return {};
    QDataStream stream(bytes);
    stream.setByteOrder(QDataStream::LittleEndian);
    StoredRect rect;
    stream >> rect.left >> rect.top >> rect.right >> rect.bottom;
    return rect;
}

QByteArray RectBytes(const StoredRect& rect)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << rect.left << rect.top << rect.right << rect.bottom;
    return bytes;
}

void WriteInt(SettingsBackend& backend, const QString& name, qint32 value)
{
    backend.SetValue(Settings::OptionsGroup(), name, value);
}

void WriteText(SettingsBackend& backend, const QString& name, const QString& value)
{
    backend.SetValue(Settings::OptionsGroup(), name, value);
}

void WriteRect(SettingsBackend& backend, const QString& name, const StoredRect& rect)
{
    backend.SetValue(Settings::OptionsGroup(), name, RectBytes(rect));
}

qint32 ReadFontInt(const SettingsBackend& backend, const QString& section, const QString& name,
                   qint32 defaultValue)
{
    const QVariant value = backend.Value(section, name);
    bool ok = false;
    const qint32 number = value.isValid() ? value.toInt(&ok) : 0;
    return ok ? number : defaultValue;
}

} // namespace

FontSetting Settings::DefaultImgTitleFont()
{
    FontSetting font;
    font.FaceName = QStringLiteral("Times New Roman");
    font.Height = 20;
    font.Weight = 700;
    return font;
}

void Settings::Load(const SettingsBackend& backend, QSize screen)
{
    const Settings d; // the defaults
    Maximized = ReadInt(backend, QStringLiteral("Maximized"), d.Maximized);
    FrameRect = ReadRect(backend, QStringLiteral("FrameRect"));
    if (screen.isValid())
        FrameRect = FitToScreen(FrameRect, screen);
    ViewSrcRect = ReadRect(backend, QStringLiteral("ViewSrcRect"));
    EditNoteRect = ReadRect(backend, QStringLiteral("EditNoteRect"));
    ShowSources = ReadInt(backend, QStringLiteral("ShowSources"), d.ShowSources);
    SourceSize = ReadInt(backend, QStringLiteral("SourceSize"), d.SourceSize);
    SourceFormat = ReadInt(backend, QStringLiteral("SourceFormat"), d.SourceFormat);
    MaxNoteID = ReadInt(backend, QStringLiteral("MaxNoteID"), d.MaxNoteID);
    NoteSortID = ReadInt(backend, QStringLiteral("NoteSortID"), d.NoteSortID);
    ShowCats = ReadInt(backend, QStringLiteral("ShowCats"), d.ShowCats);
    CatsTop = ReadInt(backend, QStringLiteral("CatsTop"), d.CatsTop);
    SourceTop = ReadInt(backend, QStringLiteral("SourceTop"), d.SourceTop);
    ListSelection = ReadText(backend, QStringLiteral("ListSelection"), d.ListSelection);
    ProgVersion = ReadText(backend, QStringLiteral("ProgVersion"), d.ProgVersion);
    ZoomLvl = ReadInt(backend, QStringLiteral("ZoomLvl"), 100) * 0.01;
    ShowCtrlBar = ReadInt(backend, QStringLiteral("ShowCtrlBar"), d.ShowCtrlBar);
    ActIndCtrlBar = ReadInt(backend, QStringLiteral("ActIndCtrlBar"), d.ActIndCtrlBar);
    CtrlBarSortSrc = ReadInt(backend, QStringLiteral("CtrlBarSortSrc"), d.CtrlBarSortSrc);
    MaxAuthorID = ReadInt(backend, QStringLiteral("MaxAuthorID"), d.MaxAuthorID);
    ShowSrcFilters = ReadInt(backend, QStringLiteral("ShowSrcFilters"), d.ShowSrcFilters);
    CheckForUpdates = ReadInt(backend, QStringLiteral("CheckForUpdates"), d.CheckForUpdates);
    EnableSpellCheck = ReadInt(backend, QStringLiteral("EnableSpellCheck"), d.EnableSpellCheck);
    szSaveWarning = ReadInt(backend, QStringLiteral("szSaveWarning"), d.szSaveWarning);
    MarkBold = ReadInt(backend, QStringLiteral("MarkBold"), d.MarkBold);
    MarkStrike = ReadInt(backend, QStringLiteral("MarkStrike"), d.MarkStrike);
    MarkItalics = ReadInt(backend, QStringLiteral("MarkItalics"), d.MarkItalics);
    MarkUnderline = ReadInt(backend, QStringLiteral("MarkUnderline"), d.MarkUnderline);
    MarkSelColor = ReadInt(backend, QStringLiteral("MarkSelColor"), d.MarkSelColor);
    RunAgent = ReadInt(backend, QStringLiteral("RunAgent"), d.RunAgent);
    ImgTitleFont = LoadFontSetting(backend, QStringLiteral("ImgTitleFont"), DefaultImgTitleFont());
}

FileStatus Settings::Save(SettingsBackend& backend) const
{
    WriteInt(backend, QStringLiteral("Maximized"), Maximized);
    WriteRect(backend, QStringLiteral("FrameRect"), FrameRect);
    WriteRect(backend, QStringLiteral("ViewSrcRect"), ViewSrcRect);
    WriteRect(backend, QStringLiteral("EditNoteRect"), EditNoteRect);
    WriteInt(backend, QStringLiteral("ShowSources"), ShowSources);
    WriteInt(backend, QStringLiteral("SourceSize"), SourceSize);
    WriteInt(backend, QStringLiteral("SourceFormat"), SourceFormat);
    WriteInt(backend, QStringLiteral("MaxNoteID"), MaxNoteID);
    WriteInt(backend, QStringLiteral("NoteSortID"), NoteSortID);
    WriteInt(backend, QStringLiteral("ShowCats"), ShowCats);
    WriteInt(backend, QStringLiteral("CatsTop"), CatsTop);
    WriteInt(backend, QStringLiteral("SourceTop"), SourceTop);
    WriteText(backend, QStringLiteral("ListSelection"), ListSelection);
    WriteText(backend, QStringLiteral("ProgVersion"), ProgVersion);
    // The factor times 100, truncated, as the view has always stored it.
    WriteInt(backend, QStringLiteral("ZoomLvl"), StoredZoom(ZoomLvl));
    WriteInt(backend, QStringLiteral("ShowCtrlBar"), ShowCtrlBar);
    WriteInt(backend, QStringLiteral("ActIndCtrlBar"), ActIndCtrlBar);
    WriteInt(backend, QStringLiteral("CtrlBarSortSrc"), CtrlBarSortSrc);
    WriteInt(backend, QStringLiteral("MaxAuthorID"), MaxAuthorID);
    WriteInt(backend, QStringLiteral("ShowSrcFilters"), ShowSrcFilters);
    WriteInt(backend, QStringLiteral("CheckForUpdates"), CheckForUpdates);
    WriteInt(backend, QStringLiteral("EnableSpellCheck"), EnableSpellCheck);
    WriteInt(backend, QStringLiteral("szSaveWarning"), szSaveWarning);
    WriteInt(backend, QStringLiteral("MarkBold"), MarkBold);
    WriteInt(backend, QStringLiteral("MarkStrike"), MarkStrike);
    WriteInt(backend, QStringLiteral("MarkItalics"), MarkItalics);
    WriteInt(backend, QStringLiteral("MarkUnderline"), MarkUnderline);
    WriteInt(backend, QStringLiteral("MarkSelColor"), MarkSelColor);
    SaveFontSetting(backend, QStringLiteral("ImgTitleFont"), ImgTitleFont);
    // Whatever version was read, the one running now is the one that last ran.
    WriteText(backend, QStringLiteral("ProgVersion"), RunningVersion());
    return backend.Sync();
}

FileStatus Settings::SaveRunAgent(SettingsBackend& backend) const
{
    WriteInt(backend, QStringLiteral("RunAgent"), RunAgent);
    return backend.Sync();
}

FileStatus Settings::SaveCounters(SettingsBackend& backend) const
{
    WriteInt(backend, QStringLiteral("MaxNoteID"), MaxNoteID);
    WriteInt(backend, QStringLiteral("MaxAuthorID"), MaxAuthorID);
    return backend.Sync();
}

double Settings::ProgVersionNumber() const
{
    bool ok = false;
    const double number = ProgVersion.trimmed().toDouble(&ok);
    return ok ? number : 0.0;
}

FontSetting Settings::LoadFontSetting(const SettingsBackend& backend, const QString& section,
                                      const FontSetting& defaultFont)
{
    FontSetting font;
    font.Height = ReadFontInt(backend, section, QStringLiteral("Height"), defaultFont.Height);
    font.Weight = ReadFontInt(backend, section, QStringLiteral("Weight"), defaultFont.Weight);
    font.Italic = ReadFontInt(backend, section, QStringLiteral("Italic"), defaultFont.Italic);
    font.Underline = ReadFontInt(backend, section, QStringLiteral("Underline"), defaultFont.Underline);
    font.PitchAndFamily
        = ReadFontInt(backend, section, QStringLiteral("PitchAndFamily"), defaultFont.PitchAndFamily);
    font.CharSet = ReadFontInt(backend, section, QStringLiteral("CharSet"), defaultFont.CharSet);
    const QVariant face = backend.Value(section, QStringLiteral("FaceName"));
    font.FaceName = face.isValid() ? face.toString() : defaultFont.FaceName;
    font.Red = ReadFontInt(backend, section, QStringLiteral("Red"), defaultFont.Red);
    font.Blue = ReadFontInt(backend, section, QStringLiteral("Blue"), defaultFont.Blue);
    font.Green = ReadFontInt(backend, section, QStringLiteral("Green"), defaultFont.Green);
    return font;
}

void Settings::SaveFontSetting(SettingsBackend& backend, const QString& section, const FontSetting& font)
{
    // A font dialog can hand back height 0 ("default size"); the stored font needs a size.
    backend.SetValue(section, QStringLiteral("Height"), font.Height == 0 ? 12 : font.Height);
    backend.SetValue(section, QStringLiteral("Weight"), font.Weight);
    backend.SetValue(section, QStringLiteral("Italic"), font.Italic);
    backend.SetValue(section, QStringLiteral("Underline"), font.Underline);
    backend.SetValue(section, QStringLiteral("PitchAndFamily"), font.PitchAndFamily);
    backend.SetValue(section, QStringLiteral("CharSet"), font.CharSet);
    backend.SetValue(section, QStringLiteral("FaceName"), font.FaceName);
    backend.SetValue(section, QStringLiteral("Red"), font.Red);
    backend.SetValue(section, QStringLiteral("Blue"), font.Blue);
    backend.SetValue(section, QStringLiteral("Green"), font.Green);
}

StoredRect Settings::FitToScreen(const StoredRect& rect, QSize screen)
{
    const qint32 width = std::min(rect.right, screen.width()) - std::max(rect.left, 0);
    const qint32 height = std::min(rect.bottom, screen.height()) - std::max(rect.top, 0);
    if (width < kMinVisiblePixels || height < kMinVisiblePixels)
        return {};
    return rect;
}
