#include "app/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap Picture(const QString &name, QSize size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QSvgRenderer svg(QStringLiteral(":/img/%1.svg").arg(name));
    if (svg.isValid()) {
        QPainter p(&pm);
        svg.render(&p);
    }
    return pm;
}
