#include "app/Pictures.h"

#include <QDir>
#include <QPainter>

// The Windows build carries the pictures as PNG drawn from the same SVG at
// build time, ":/img/<name>@<w>x<h>.png" at each size the window asks for and
// twice it. Any other size is scaled from the largest one.
QPixmap Picture(const QString &name, QSize size)
{
    QPixmap pm(QStringLiteral(":/img/%1@%2x%3.png").arg(name).arg(size.width()).arg(size.height()));
    if (!pm.isNull())
        return pm;
    QPixmap largest;
    const QStringList drawn =
        QDir(QStringLiteral(":/img")).entryList({name + QStringLiteral("@*.png")}, QDir::Files);
    for (const QString &file : drawn) {
        QPixmap candidate(QStringLiteral(":/img/") + file);
        if (candidate.width() > largest.width())
            largest = candidate;
    }
    QPixmap result(size);
    result.fill(Qt::transparent);
    if (!largest.isNull()) {
        QPainter p(&result);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(QRect(QPoint(0, 0), size), largest);
    }
    return result;
}
