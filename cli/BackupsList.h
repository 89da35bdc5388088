#pragma once

// What "backups" prints: the backups as lines of text and as JSON.

#include "image/Backups.h"

#include <QJsonArray>
#include <QList>
#include <QString>

namespace Cli {

// One line per backup: date, model, ID, port, path.
QString BackupsListText(const QList<Backups::Entry> &entries);
// The same with stable keys: date (ISO 8601, local), model, model_index,
// id (a number), id_hex (four hex digits), port, path.
QJsonArray BackupsListJson(const QList<Backups::Entry> &entries);

} // namespace Cli
