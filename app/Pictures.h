#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The window's pictures are SVG drawings compiled into the binary.
QPixmap Picture(const QString &name, QSize size);      // ":/img/<name>.svg" at that size
QIcon PictureIcon(const QString &name, QSize size);    // crisp at size and at twice it
QIcon ImageListIcon(int index);                        // toolbar/menu image 0..14
