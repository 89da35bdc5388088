#pragma once

// One clip of an emulator bench for a series on several ports: a
// quillon-phone playing its own units, the technician's hand at its control
// FIFO. Shared by the lanes' tests and their benchmark; no test framework here.

#include "image/EepromImage.h"
#include "image/ImageFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Words that differ from unit to unit, lane to lane and from a series image.
inline EepromImage LaneUnitWords(int lane, int unit) // both 1-based
{
    EepromImage img;
    for (int a = 0; a < EepromImage::kWords; ++a)
        img[a] = static_cast<uint16_t>(0x1111 * lane + 0x0100 * unit + a * 0x0457);
    img[Addr::BaseId] = static_cast<uint16_t>(1000 * lane + unit);
    return img;
}

inline bool WriteLaneImage(const QString &path, const EepromImage &image)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(EncodeImageFile(image, 1, QString())) > 0;
}

struct PhoneLane {
    int number = 0;
    int units = 0;
    QString dir;
    QProcess phone;
    QString pts;
    int removed = 0, plugged = 1; // the technician's count

    // Lane `n` under root with `unitCount` units; extra: more emulator options.
    bool Start(const QString &phonePath, const QString &root, int n, int unitCount, const QStringList &extra = {})
    {
        number = n;
        units = unitCount;
        dir = root + QStringLiteral("/lane%1").arg(n);
        QDir().mkpath(dir + "/units");
        for (int u = 1; u <= units; ++u)
            if (!WriteLaneImage(dir + QStringLiteral("/units/u%1.h").arg(u), LaneUnitWords(n, u)))
                return false;
        phone.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        phone.start(phonePath,
                    QStringList{"--units", dir + "/units", "--save", dir + "/saved", "--control", dir + "/control"} +
                        extra);
        if (!phone.waitForStarted(5000))
            return false;
        while (!phone.canReadLine())
            if (!phone.waitForReadyRead(5000))
                return false;
        const QString line = QString::fromLatin1(phone.readLine()).trimmed();
        pts = line.startsWith("PORT ") ? line.mid(5) : QString();
        return !pts.isEmpty();
    }
    bool Control(const char *line)
    {
        QFile fifo(dir + "/control");
        return fifo.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && fifo.write(QByteArray(line) + "\n") > 0;
    }
    // The technician at the series' word: off when it asks, the next on when it waits.
    void Removal()
    {
        Control("unplug");
        ++removed;
    }
    void Waiting()
    {
        if (removed >= plugged && plugged < units) {
            Control("plug");
            ++plugged;
        }
    }
    EepromImage Saved(int unit) const
    {
        const LoadResult r = LoadImageFile(dir + QStringLiteral("/saved/u%1.h").arg(unit));
        return r.error ? EepromImage() : r.data.image;
    }
    ~PhoneLane()
    {
        phone.kill();
        phone.waitForFinished(5000);
    }
};
