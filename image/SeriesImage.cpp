#include "image/SeriesImage.h"

#include "image/Backups.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

int ScopeFirst(SeriesScope scope) { return scope == SeriesScope::Block ? Addr::BlockFirst : 0; }
int ScopeLast(SeriesScope scope) { return scope == SeriesScope::Block ? Addr::BlockLast : EepromImage::kWords - 1; }

bool ParseSeriesKeep(const QString &text, unsigned *keep)
{
    unsigned k = KeepNone;
    QSet<QString> seen;
    for (const QString &part : text.split(u',')) {
        const QString p = part.trimmed();
        if (seen.contains(p))
            return false;
        seen.insert(p);
        if (p == QLatin1String("id"))
            k |= KeepId;
        else if (p == QLatin1String("low"))
            k |= KeepLow;
        else if (p != QLatin1String("none"))
            return false;
    }
    // "none" means nothing and nothing else.
    if (seen.contains(QStringLiteral("none")) && seen.size() > 1)
        return false;
    *keep = k;
    return true;
}

bool ParseSeriesScope(const QString &text, SeriesScope *scope)
{
    if (text == QLatin1String("all"))
        *scope = SeriesScope::All;
    else if (text == QLatin1String("block"))
        *scope = SeriesScope::Block;
    else
        return false;
    return true;
}

EepromImage BuildUnitImage(const EepromImage &series, const EepromImage &unit, unsigned keep, SeriesScope scope)
{
    EepromImage out = series;
    for (int a = 0; a < EepromImage::kWords; ++a) {
        const bool kept = ((keep & KeepId) && a >= Addr::PairedFirst && a <= Addr::PairedLast)
                          || ((keep & KeepLow) && a <= 0x2F)
                          || a < ScopeFirst(scope) || a > ScopeLast(scope);
        if (kept)
            out[a] = unit[a];
    }
    return out;
}

QString CsvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString SeriesCsvHeader()
{
    return QStringLiteral("unit,start,duration_s,port,id_before,id_after,result,cause,differing_words,backup");
}

namespace {

// The ID code as the "Инфо" page shows it: word 0x37 in decimal.
QString IdText(int id) { return id < 0 ? QString() : QString::number(id); }

} // namespace

QString SeriesResultWord(const SeriesUnit &u)
{
    if (u.good)
        return QStringLiteral("good");
    return u.written ? QStringLiteral("failed") : QStringLiteral("untouched");
}

QString SeriesCsvRow(const SeriesUnit &u)
{
    QStringList differing;
    for (int a : u.differing)
        differing << ByteToHex(static_cast<uint8_t>(a));
    const QStringList fields{
        QString::number(u.number),
        u.start.toString(Qt::ISODate),
        QString::number(static_cast<double>(u.durationMs) / 1000.0, 'f', 1),
        u.port,
        IdText(u.idBefore),
        IdText(u.idAfter),
        SeriesResultWord(u),
        u.cause(),
        differing.join(u' '),
        u.backup,
    };
    QStringList out;
    for (const QString &f : fields)
        out << CsvField(f);
    return out.join(u',');
}

QString SeriesLog::DefaultPath(const QDateTime &start)
{
    // Two series started within one second get a log each.
    const QString stem = QFileInfo(Backups::Folder()).absolutePath() + QStringLiteral("/series/") +
                         start.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = stem + QStringLiteral(".csv");
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = stem + QStringLiteral(" (%1).csv").arg(copy);
    return path;
}

bool SeriesLog::Open(const QString &path, bool makeFolder)
{
    const QFileInfo info(path);
    if (makeFolder)
        QDir().mkpath(info.absolutePath());
    File.setFileName(path);
    // Append mode seeks to the end, which a device refuses with a warning of Qt's own.
    const bool device = info.exists() && !info.isFile() && !info.isDir();
    if (!File.open(device ? QIODevice::WriteOnly : QIODevice::WriteOnly | QIODevice::Append))
        return false;
    return File.size() > 0 || WriteLine(SeriesCsvHeader());
}

bool SeriesLog::Append(const SeriesUnit &unit) { return WriteLine(SeriesCsvRow(unit)); }

bool SeriesLog::WriteLine(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    return File.isOpen() && File.write(bytes) == bytes.size() && File.flush();
}

bool SeriesErasesLowWords(const EepromImage &image, unsigned keep, SeriesScope scope)
{
    if (scope != SeriesScope::All || (keep & KeepLow))
        return false;
    for (int a = 0x00; a < Addr::BlockFirst; ++a)
        if (image[a] != EepromImage::kBlank)
            return false;
    return true;
}
