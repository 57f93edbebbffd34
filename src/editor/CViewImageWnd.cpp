#include "editor/CViewImageWnd.h"

#include <QImageReader>
#include <QPainter>

CViewImageWnd::CViewImageWnd(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ViewImageWnd"));
    setAccessibleName(QStringLiteral("Picture"));
    setToolTip(QStringLiteral("Double-click to close"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CViewImageWnd::LoadImage(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    SetImage(reader.read());
    return !m_image.isNull();
}

void CViewImageWnd::SetImage(const QImage& image)
{
    m_image = image;
    update();
}

QRect CViewImageWnd::PictureRect() const
{
    if (m_image.isNull())
        return QRect();
    QSize size = m_image.size();
    // Only a picture larger than the window is fitted; smaller ones keep their size.
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void CViewImageWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(), m_image);
}

void CViewImageWnd::mouseDoubleClickEvent(QMouseEvent*)
{
    emit CloseRequested();
}
