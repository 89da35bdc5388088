#pragma once

// Backups of the images read from telephones: one image file per completed
// read of the whole EEPROM, kept in a folder of their own and never
// overwritten. The window and quillon-cli save and list them through this.

#include "image/EepromImage.h"
#include "image/ImageFile.h"

#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QString>

class Backups {
public:
    // <the per-user data folder of Quillon>/backups: on Linux
    // ~/.local/share/Quillon/backups, on Windows %LOCALAPPDATA%\Quillon\backups.
    // Both programs share it, whatever their program file is called.
    static QString Folder();

    // "2026-12-09_14-03-22 SN-258 Труба ID 6699.h": the local time, the model
    // (characters a file name cannot hold left out), the ID code (word 0x37)
    // in decimal as the "Инфо" page shows it, and the model's default
    // extension. copy > 1 adds " (copy)" before the extension.
    static QString FileName(const QDateTime &when, int model, uint16_t id, int copy = 1);
    // The comment the backup carries: when and through which port it was read.
    static QString Comment(const QDateTime &when, const QString &port);

    struct SaveResult {
        QString path; // the file written, empty on failure
        IoError error;
    };
    // Saves the image with its model into folder (created when missing),
    // under a name no file has yet.
    static SaveResult Save(const QString &folder, const EepromImage &image, int model, const QString &port,
                           const QDateTime &when);

    struct Entry {
        QDateTime when;
        int model = -1; // the file's model byte, -1 for none
        uint16_t id = 0;
        QString port; // from the comment, empty if it names none
        QString path;
    };
    // The backups in folder, newest first. Files whose name is not a
    // backup's, or which are no image, are left out.
    static QList<Entry> List(const QString &folder);
    // One line per backup: date, model, ID, port, path.
    static QString ListText(const QList<Entry> &entries);
    // The same with stable keys: date (ISO 8601, local), model, model_index,
    // id (a number), id_hex (four hex digits), port, path.
    static QJsonArray ListJson(const QList<Entry> &entries);
};
