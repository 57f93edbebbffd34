#pragma once

#include "ui/SkinBitmaps.h"

#include <QAbstractButton>
#include <QPixmap>

// A command button drawn from three bitmaps: normal, pressed (while held down) and hover
// (while the mouse is over it). A click is reported as Command(id) to whoever listens,
// with the id of the main-menu command the button stands for.
class CZol3StageButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Drawn
    {
        Nothing,
        Normal,
        Pressed,
        Hover
    };

    explicit CZol3StageButton(QWidget* parent = nullptr, int commandId = 0);

    // Clears the flags, drops earlier bitmaps and takes the three new ones.
    void SetBitmaps(QWidget* parent, const QPixmap& normal, const QPixmap& pressed, const QPixmap& hover);
    // The three states of one of the program's own glyphs, drawn at the given size.
    void SetGlyph(SkinBitmaps::Glyph glyph, QSize size);
    // Resizes to the normal bitmap; the right (bottom) edge stays put when asked,
    // otherwise the left (top) edge does.
    void SizeToBitmap(bool keepRight, bool keepBottom);
    // The tip also names the button for screen readers: a picture button has no text.
    void SetToolTip(const QString& text)
    {
        setToolTip(text);
        setAccessibleName(text);
    }

    int CommandId() const { return m_commandId; }
    void SetCommandId(int id) { m_commandId = id; }
    bool Hovering() const { return m_hovering; }
    bool PressedFlag() const { return m_pressed; }
    // Which bitmap the next paint draws.
    Drawn CurrentBitmap() const;

    QSize sizeHint() const override;

signals:
    void Command(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The hover and leave notifications of the button.
    virtual void OnHover();
    virtual void OnLeave();

    bool m_hovering = false;
    bool m_pressed = false;
    bool m_tracking = false;

private:
    int m_commandId = 0;
    QPixmap m_normal;
    QPixmap m_pressedBitmap;
    QPixmap m_hover;
};
