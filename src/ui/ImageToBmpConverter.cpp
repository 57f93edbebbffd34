#include "ui/ImageToBmpConverter.h"

#include <QImage>
#include <QSaveFile>

namespace {

int OverWhite(int channel, int alpha)
{
    return (channel * alpha + 255 * (255 - alpha)) / 255;
}

// Bitmaps carry no alpha channel the note view could use; transparent parts of a PNG
// would otherwise turn black.
QImage FlattenOntoWhite(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(flat.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] = qRgb(OverWhite(qRed(in[x]), a), OverWhite(qGreen(in[x]), a), OverWhite(qBlue(in[x]), a));
        }
    }
    return flat;
}

} // namespace

bool ImageToBmpConverter::Convert(const QString& from, const QString& toBmp)
{
    QImage image;
    if (!image.load(from))
        return false;
    if (image.hasAlphaChannel())
        image = FlattenOntoWhite(image);
    QSaveFile file(toBmp);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A failed last buffered write shows only at the flush: commit would keep it.
    if (!image.save(&file, "BMP") || !file.flush())
        return false;
    return file.commit();
}
