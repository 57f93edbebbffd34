#pragma once

#include <QImage>
#include <QWidget>

// The window of "View Image": a white background and the picture, scaled down to fit
// when it is larger than the window. A double-click asks to close.
class CViewImageWnd : public QWidget
{
    Q_OBJECT
public:
    explicit CViewImageWnd(QWidget* parent = nullptr);

    // False when the file holds no picture the image library can read.
    bool LoadImage(const QString& path);
    void SetImage(const QImage& image);
    const QImage& Image() const { return m_image; }
    // Where the picture is drawn inside the window.
    QRect PictureRect() const;

signals:
    void CloseRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};
