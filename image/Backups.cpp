#include "image/Backups.h"

#include "image/DeviceModels.h"

#include <QDir>
#include <QFileInfo>
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

const QRegularExpression &NamePattern()
{
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d) (.*) ID \\d{1,5}(?: \\((\\d+)\\))?(?:\\.[a-z]+)?$"));
    return re;
}

QString NameOf(const QDateTime &when, const QString &device, const QString &suffix, uint16_t id, int copy)
{
    QString name = when.toString(QString::fromLatin1(kTimeFormat)) + u' ' + device + QStringLiteral(" ID ") +
                   QString::number(id);
    if (copy > 1)
        name += QStringLiteral(" (%1)").arg(copy);
    return suffix.isEmpty() ? name : name + u'.' + suffix;
}

} // namespace

QString Backups::Folder()
{
    // What AppLocalDataLocation gives a program called Quillon; spelled out so
    // that quillon-cli, and a renamed program file, find the same folder.
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // Qt takes a relative XDG_DATA_HOME as it is, which would put the backups
    // under whatever folder the program was started in.
    if (QDir::isRelativePath(data))
        data = QDir::homePath() + QStringLiteral("/.local/share");
    return data + QStringLiteral("/Quillon/backups");
}

QString Backups::FileName(const QDateTime &when, int model, uint16_t id, int copy)
{
    return NameOf(when, ModelName(model), DefaultSuffix(model), id, copy);
}

QString Backups::Comment(const QDateTime &when, const QString &port, const QString &listModel)
{
    const QString listed = listModel.isEmpty() ? QString() : QStringLiteral(" (в списке моделей: %1)").arg(listModel);
    return QStringLiteral("Прочитано из телефона %1%2, порт %3")
        .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), listed, port);
}

Backups::Naming Backups::NamingFor(int listModel, std::optional<DeviceKind> imageKind)
{
    Naming n;
    const bool listed = listModel > 0 && listModel < kModelCount;
    n.model = listed ? listModel : 0;
    n.device = ModelName(n.model);
    if (!imageKind)
        return n;
    if (!listed) {
        n.device = DeviceKindWord(*imageKind);
        n.followsList = false;
        return n;
    }
    // The models go in pairs, base then handset.
    if ((listModel % 2 ? DeviceKind::Base : DeviceKind::Handset) == *imageKind)
        return n;
    // The list's family, the image's device.
    n.model = listModel % 2 ? listModel + 1 : listModel - 1;
    n.device = ModelName(n.model);
    n.followsList = false;
    return n;
}

Backups::SaveResult Backups::Save(const QString &folder, const EepromImage &image, int model, const QString &port,
                                  const QDateTime &when, std::optional<DeviceKind> imageKind, const QString &note)
{
    SaveResult r;
    if ((r.error = MakeFolder(folder)))
        return r;
    const Naming naming = NamingFor(model, imageKind);
    const bool listed = model > 0 && model < kModelCount;
    const QString listModel = naming.followsList || !listed ? QString() : ModelName(model);
    const QString comment = (note.isEmpty() ? QString() : note + QStringLiteral(". ")) + Comment(when, port, listModel);
    const QByteArray bytes = EncodeImageFile(image, naming.followsList ? model : naming.model, comment);
    const uint16_t id = image[Addr::BaseId];
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const QString path =
            QDir(folder).filePath(NameOf(when, naming.device, DefaultSuffix(naming.model), id, copy));
        r.error = CreateImageFile(path, bytes);
        // Two units of one base (one ID) read in the same second on two ports.
        if (FileExisted(r.error))
            continue;
        if (!r.error)
            r.path = path;
        return r;
    }
    return r; // a thousand copies in one second: the last error tells why
}

QList<Backups::Entry> Backups::List(const QString &folder, QList<Problem> *problems)
{
    struct Found {
        Entry entry;
        int copy;
    };
    const auto fail = [&](const QString &path, IoError err) {
        if (problems)
            *problems << Problem{path, err};
    };
    const QFileInfo where(folder);
    if (!where.exists()) {
        // Nothing read yet; but a link that leads nowhere (or round in a
        // loop) is a folder that cannot be read.
        if (where.isSymLink())
            fail(folder, IoErrorFromErrno(ELOOP));
        return {};
    }
    if (!where.isDir()) {
        fail(folder, IoErrorFromErrno(ENOTDIR));
        return {};
    }
    if (!QDir(folder).isReadable()) {
        fail(folder, IoErrorFromErrno(EACCES));
        return {};
    }
    QList<Found> found;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    static const QRegularExpression portPattern(QStringLiteral(", порт (.*)$"));
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch name = NamePattern().match(file.fileName());
        if (!name.hasMatch())
            continue;
        const LoadResult loaded = LoadImageFile(file.absoluteFilePath());
        if (loaded.error) {
            fail(file.absoluteFilePath(), loaded.error);
            continue;
        }
        Found f;
        f.entry.when = QDateTime::fromString(name.captured(1), QString::fromLatin1(kTimeFormat));
        if (!f.entry.when.isValid()) // "2026-13-45_25-61-00": the file knows when it was made
            f.entry.when = file.lastModified();
        f.entry.model = loaded.data.model.value_or(-1);
        f.entry.device = name.captured(2);
        f.entry.id = loaded.data.image[Addr::BaseId];
        f.entry.port = portPattern.match(loaded.data.comment).captured(1);
        f.entry.comment = loaded.data.comment;
        f.entry.path = file.absoluteFilePath();
        f.copy = name.captured(3).isEmpty() ? 1 : name.captured(3).toInt();
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

bool Backups::Matches(const Entry &entry, const QString &filter)
{
    const QString text = filter.trimmed();
    if (text.isEmpty())
        return true;
    bool isNumber = false;
    const uint number = text.toUInt(&isNumber, 10);
    if (isNumber)
        return number == entry.id;
    for (const QString &field : {entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), entry.device, entry.port,
                                 entry.comment, QFileInfo(entry.path).fileName()})
        if (field.contains(text, Qt::CaseInsensitive))
            return true;
    return false;
}

QList<Backups::Entry> Backups::Filtered(const QList<Entry> &entries, const QString &filter)
{
    QList<Entry> out;
    for (const Entry &e : entries)
        if (Matches(e, filter))
            out.append(e);
    return out;
}
