#include "cli/Commands.h"

#include "cli/BackupsList.h"
#include "cli/CliPrint.h"
#include "cli/CliText.h"
#include "image/Backups.h"

#include <QDir>
#include <QJsonDocument>

#include <algorithm>

namespace Cli {

int RunBackups(Args &a)
{
    if (!a.positionals.isEmpty())
        return Fail(ExitUsage, Text::tr("unexpected argument %1").arg(a.positionals.constFirst()));
    QString filter;
    if (a.parser.isSet(kId)) {
        bool ok = false;
        const uint id = a.parser.value(kId).toUInt(&ok, 10);
        if (!ok || id > 0xFFFF)
            return Fail(ExitUsage, Text::tr("--id takes an ID code 0-65535, not %1").arg(a.parser.value(kId)));
        filter = QString::number(id);
    }
    const QString folder = Backups::Folder();
    QList<Backups::Problem> problems;
    const QList<Backups::Entry> entries = Backups::Filtered(Backups::List(folder, &problems), filter);
    // A folder or backup that cannot be read is no empty list.
    for (const Backups::Problem &p : std::as_const(problems))
        Note(QStringLiteral("quillon-cli: ") +
             (p.path == folder ? Text::tr("cannot read the backups folder %1: %2")
                               : Text::tr("cannot read the backup %1: %2"))
                 .arg(Printable(QDir::toNativeSeparators(p.path)), IoErrorText(p.error)));
    const bool folderFailed =
        std::any_of(problems.begin(), problems.end(), [&](const Backups::Problem &p) { return p.path == folder; });
    if (a.parser.isSet(kJson)) {
        if (!folderFailed)
            Out(QString::fromUtf8(QJsonDocument(BackupsListJson(entries)).toJson(QJsonDocument::Indented)));
    } else if (entries.isEmpty() && !folderFailed) {
        Note(filter.isEmpty() ? Text::tr("no backups in %1").arg(QDir::toNativeSeparators(folder))
                              : Text::tr("no backups of ID %1 in %2").arg(filter, QDir::toNativeSeparators(folder)));
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
