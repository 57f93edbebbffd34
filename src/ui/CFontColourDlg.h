#pragma once

#include "store/FontSetting.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QFontDialog;

// The font dialog of the options: a font (face, style, size) and its colour, one of the
// sixteen standard colours (or the stored colour when it is none of them). OK hands back
// the setting with the chosen font and colour; the fields the dialog does not show
// (pitch and family, character set) stay as they were.
class CFontColourDlg : public QDialog
{
    Q_OBJECT
public:
    CFontColourDlg(const FontSetting& current, QWidget* parent = nullptr);

    FontSetting Chosen() const;
    QFontDialog* FontChooser() const { return m_fonts; }
    QComboBox* ColourList() const { return m_colours; }

    // Runs the dialog; nothing when cancelled.
    static std::optional<FontSetting> Choose(QWidget* parent, const FontSetting& current);

    // Heights are stored in pixels at 96 per inch.
    static QFont ToFont(const FontSetting& setting);

private:
    FontSetting m_current;
    QFontDialog* m_fonts = nullptr;
    QComboBox* m_colours = nullptr;
};
