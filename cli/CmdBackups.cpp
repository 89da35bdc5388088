#include "cli/Commands.h"

#include "cli/BackupsList.h"
#include "cli/CliPrint.h"
#include "image/Backups.h"

#include <QDir>
#include <QJsonDocument>

#include <algorithm>

namespace Cli {

int RunBackups(Args &a)
{
    if (!a.positionals.isEmpty())
        return Fail(ExitUsage, QStringLiteral("unexpected argument %1").arg(a.positionals.constFirst()));
    QString filter;
    if (a.parser.isSet(kId)) {
        bool ok = false;
        const uint id = a.parser.value(kId).toUInt(&ok, 10);
        if (!ok || id > 0xFFFF)
            return Fail(ExitUsage, QStringLiteral("--id takes an ID code 0-65535, not %1").arg(a.parser.value(kId)));
        filter = QString::number(id);
    }
    const QString folder = Backups::Folder();
    QList<Backups::Problem> problems;
    const QList<Backups::Entry> entries = Backups::Filtered(Backups::List(folder, &problems), filter);
    // A folder or backup that cannot be read is no empty list.
    for (const Backups::Problem &p : std::as_const(problems))
        Note(QStringLiteral("quillon-cli: cannot read %1 %2: %3")
                 .arg(p.path == folder ? QStringLiteral("the backups folder") : QStringLiteral("the backup"),
                      Printable(QDir::toNativeSeparators(p.path)), IoErrorText(p.error)));
    const bool folderFailed =
        std::any_of(problems.begin(), problems.end(), [&](const Backups::Problem &p) { return p.path == folder; });
    if (a.parser.isSet(kJson)) {
        if (!folderFailed)
            Out(QString::fromUtf8(QJsonDocument(BackupsListJson(entries)).toJson(QJsonDocument::Indented)));
    } else if (entries.isEmpty() && !folderFailed) {
        Note(filter.isEmpty() ? QStringLiteral("no backups in ") + QDir::toNativeSeparators(folder)
                              : QStringLiteral("no backups of ID %1 in %2").arg(filter, QDir::toNativeSeparators(folder)));
    } else {
        // One line each, whatever a file name or a comment holds.
        QList<Backups::Entry> shown = entries;
        for (Backups::Entry &e : shown)
            e.path = Printable(e.path), e.port = Printable(e.port);
        Out(BackupsListText(shown));
    }
    return problems.isEmpty() ? ExitOk : ExitFile;
}

} // namespace Cli
