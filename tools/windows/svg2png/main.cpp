// svg2png IN.svg OUT.png|OUT.ico WIDTH HEIGHT: the picture drawn as the window draws
// it (transparent background, the drawing scaled to the whole size).

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: svg2png IN.svg OUT.png WIDTH HEIGHT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int width = QByteArray(argv[3]).toInt(), height = QByteArray(argv[4]).toInt();
    if (!svg.isValid() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "svg2png: cannot render %s at %sx%s\n", argv[1], argv[3], argv[4]);
        return 1;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    // The format follows the suffix: .png, or .ico for the program file's icon.
    if (!image.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "svg2png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
