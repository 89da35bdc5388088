#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The window's pictures are SVG drawings compiled into the binary.
QPixmap Picture(const QString &name, QSize size);      // ":/img/<name>.svg" at that size
// Crisp at size and at twice it.
inline QIcon PictureIcon(const QString &name, QSize size)
{
    QIcon icon;
    icon.addPixmap(Picture(name, size));
    icon.addPixmap(Picture(name, size * 2));
    return icon;
}

// Toolbar/menu image 0..14.
inline QIcon ImageListIcon(int index)
{
    return PictureIcon(QString::number(index), QSize(16, 16));
}
