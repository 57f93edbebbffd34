// Build-time helper for the files that come with the programs, so that no heavy
// document toolchain is needed:
//
//   doctool icon SVG SIZE OUT.png|OUT.jpg    the application icon at one size
//   doctool manual OUT.pdf OUT.html IN.md...  the user's manual as PDF and as HTML
//
// Runs on Qt's offscreen platform; needs no display.
#include "ManualBuilder.h"

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

namespace {

int Fail(const QString& text)
{
    std::fprintf(stderr, "doctool: %s\n", text.toLocal8Bit().constData());
    return 1;
}

int RenderIcon(const QStringList& arguments)
{
    if (arguments.size() != 3)
        return Fail(QStringLiteral("usage: doctool icon SVG SIZE OUT.png"));
    const int size = arguments.at(1).toInt();
    QImageReader reader(arguments.at(0));
    reader.setScaledSize(QSize(size, size));
    QImage image = reader.read();
    if (image.isNull())
        return Fail(QStringLiteral("cannot read %1: %2").arg(arguments.at(0), reader.errorString()));
    // A format without transparency (JPEG) gets the icon on white rather than on black.
    if (!arguments.at(2).endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter(&opaque).drawImage(0, 0, image);
        image = opaque;
    }
    if (!image.save(arguments.at(2)))
        return Fail(QStringLiteral("cannot write %1").arg(arguments.at(2)));
    return 0;
}

int BuildManual(const QStringList& arguments)
{
    if (arguments.size() < 3)
        return Fail(QStringLiteral("usage: doctool manual OUT.pdf OUT.html IN.md..."));
    ManualBuilder builder;
    QString error;
    if (!builder.Load(arguments.mid(2), &error) || !builder.WritePdf(arguments.at(0), &error)
        || !builder.WriteHtml(arguments.at(1), &error))
        return Fail(error);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("icon"))
        return RenderIcon(arguments.mid(1));
    if (arguments.value(0) == QLatin1String("manual"))
        return BuildManual(arguments.mid(1));
    return Fail(QStringLiteral("usage: doctool icon|manual ..."));
}
