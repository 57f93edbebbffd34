#include "app/ImageToBmpConverter.h"

#include <QImage>
#include <QSaveFile>

bool ImageToBmpConverter::Convert(const QString& from, const QString& toBmp)
{
    QImage image;
    if (!image.load(from))
        return false;
    // Bitmaps carry no alpha channel the note view could use; flatten onto white so
    // transparent parts of a PNG do not turn black.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(in[x]);
                out[x] = qRgb((qRed(in[x]) * a + 255 * (255 - a)) / 255,
                              (qGreen(in[x]) * a + 255 * (255 - a)) / 255,
                              (qBlue(in[x]) * a + 255 * (255 - a)) / 255);
            }
        }
        image = flat;
    }
    QSaveFile file(toBmp);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!image.save(&file, "BMP"))
        return false;
    return file.commit();
}
