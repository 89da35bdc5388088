#include "image/Backups.h"

#include "image/DeviceModels.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>

namespace {

const char kTimeFormat[] = "yyyy-MM-dd_HH-mm-ss";
const int kMaxCopies = 1000;

QString ModelName(int model)
{
    if (model < 0 || model >= kModelCount)
        model = 0;
    QString name = QString::fromUtf8(DeviceModelNames[model]);
    // Characters that some systems refuse in a file name ("<неизвестно>").
    static const QRegularExpression forbidden(QStringLiteral("[<>:\"/\\\\|?*]"));
    return name.remove(forbidden).trimmed();
}

// As the window's model list shows it ("<неизвестно>").
QString ShownModelName(int model)
{
    return QString::fromUtf8(DeviceModelNames[model >= 0 && model < kModelCount ? model : 0]);
}

const QRegularExpression &NamePattern()
{
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d) .* ID \\d{1,5}(?: \\((\\d+)\\))?(?:\\.[a-z]+)?$"));
    return re;
}

} // namespace

QString Backups::Folder()
{
    // What AppLocalDataLocation gives a program called Quillon; spelled out so
    // that quillon-cli, and a renamed program file, find the same folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quillon/backups");
}

QString Backups::FileName(const QDateTime &when, int model, uint16_t id, int copy)
{
    QString name = when.toString(QString::fromLatin1(kTimeFormat)) + u' ' + ModelName(model) +
                   QStringLiteral(" ID ") + QString::number(id);
    if (copy > 1)
        name += QStringLiteral(" (%1)").arg(copy);
    const QString suffix = DefaultSuffix(model);
    return suffix.isEmpty() ? name : name + u'.' + suffix;
}

QString Backups::Comment(const QDateTime &when, const QString &port)
{
    return QStringLiteral("Прочитано из телефона %1, порт %2")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), port);
}

Backups::SaveResult Backups::Save(const QString &folder, const EepromImage &image, int model, const QString &port,
                                  const QDateTime &when)
{
    SaveResult r;
    if ((r.error = MakeFolder(folder)))
        return r;
    const QByteArray bytes = EncodeImageFile(image, model, Comment(when, port));
    const uint16_t id = image[Addr::BaseId];
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const QString path = QDir(folder).filePath(FileName(when, model, id, copy));
        r.error = CreateImageFile(path, bytes);
        if (r.error.sysErrno == EEXIST)
            continue;
        if (!r.error)
            r.path = path;
        return r;
    }
    return r; // a thousand copies in one second: the last EEXIST tells why
}

QList<Backups::Entry> Backups::List(const QString &folder)
{
    struct Found {
        Entry entry;
        int copy;
    };
    QList<Found> found;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    static const QRegularExpression portPattern(QStringLiteral(", порт (.*)$"));
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch name = NamePattern().match(file.fileName());
        if (!name.hasMatch())
            continue;
        const LoadResult loaded = LoadImageFile(file.absoluteFilePath());
        if (loaded.error)
            continue;
        Found f;
        f.entry.when = QDateTime::fromString(name.captured(1), QString::fromLatin1(kTimeFormat));
        f.entry.model = loaded.data.model.value_or(-1);
        f.entry.id = loaded.data.image[Addr::BaseId];
        f.entry.port = portPattern.match(loaded.data.comment).captured(1);
        f.entry.path = file.absoluteFilePath();
        f.copy = name.captured(2).isEmpty() ? 1 : name.captured(2).toInt();
        found.append(f);
    }
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.entry.when != b.entry.when)
            return a.entry.when > b.entry.when;
        if (a.copy != b.copy)
            return a.copy > b.copy;
        return a.entry.path > b.entry.path;
    });
    QList<Entry> out;
    for (const Found &f : found)
        out.append(f.entry);
    return out;
}

QString Backups::ListText(const QList<Entry> &entries)
{
    QString text;
    for (const Entry &e : entries)
        text += e.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("  ") +
                ShownModelName(e.model).leftJustified(22) + QStringLiteral("  ID ") + QString::number(e.id).leftJustified(5) +
                QStringLiteral("  ") + (e.port.isEmpty() ? QStringLiteral("-") : e.port).leftJustified(6) +
                QStringLiteral("  ") + QDir::toNativeSeparators(e.path) + u'\n';
    return text;
}

QJsonArray Backups::ListJson(const QList<Entry> &entries)
{
    QJsonArray out;
    for (const Entry &e : entries) {
        QJsonObject o;
        o.insert(QStringLiteral("date"), e.when.toString(Qt::ISODate));
        o.insert(QStringLiteral("model"), ShownModelName(e.model));
        o.insert(QStringLiteral("model_index"), e.model);
        o.insert(QStringLiteral("id"), e.id);
        o.insert(QStringLiteral("id_hex"), WordToHex(e.id));
        o.insert(QStringLiteral("port"), e.port);
        o.insert(QStringLiteral("path"), QDir::toNativeSeparators(e.path));
        out.append(o);
    }
    return out;
}
