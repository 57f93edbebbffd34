#pragma once

#include "editor/widgets/ClampingSpinBox.h"
#include "ui/OptionsContext.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

// "< General >": how notes show in the view, the program's fonts, the update check.
class COptGeneralPg : public QWidget
{
    Q_OBJECT
public:
    COptGeneralPg(const OptionsContext& context, QWidget* parent = nullptr);

    QCheckBox* ShowSources() const { return m_showSources; }
    ClampingSpinBox* SourceSize() const { return m_sourceSize; }
    QCheckBox* SourceTop() const { return m_sourceTop; }
    QCheckBox* ShowCats() const { return m_showCats; }
    QCheckBox* CatsTop() const { return m_catsTop; }

private:
    QWidget* BuildFonts();
    QWidget* BuildSources();
    QWidget* BuildCategories();
    QWidget* BuildAttachments();
    QWidget* BuildOther();
    QCheckBox* Check(const QString& text, const QString& tip, const char* name, bool on);
    void EnableDependents();
    void SourceSizeChanged(int value);
    void ChangeEditFont();
    void ChangeImageTitleFont();

    const OptionsContext& m_context;
    QCheckBox* m_showSources = nullptr;
    ClampingSpinBox* m_sourceSize = nullptr;
    QCheckBox* m_sourceTop = nullptr;
    QCheckBox* m_showCats = nullptr;
    QCheckBox* m_catsTop = nullptr;
    QCheckBox* m_updates = nullptr;
};
