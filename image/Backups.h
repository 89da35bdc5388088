#pragma once

// Backups of the images read from telephones: one image file per completed
// read of the whole EEPROM, kept in a folder of their own and never
// overwritten. The window and quillon-cli save and list them through this.

#include "image/DeviceModels.h"
#include "image/EepromImage.h"
#include "image/ImageFile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class Backups {
public:
    // <the per-user data folder of Quillon>/backups: on Linux
    // ~/.local/share/Quillon/backups, on Windows %LOCALAPPDATA%\Quillon\backups.
    // Both programs share it, whatever their program file is called. A
    // relative XDG_DATA_HOME is ignored, as the XDG rules ask.
    static QString Folder();

    // "2026-12-09_14-03-22 SN-258 Труба ID 6699.h": the local time, the model
    // (characters a file name cannot hold left out), the ID code (word 0x37)
    // in decimal as the "Инфо" page shows it, and the model's default
    // extension. copy > 1 adds " (copy)" before the extension.
    static QString FileName(const QDateTime &when, int model, uint16_t id, int copy = 1);
    // The comment the backup carries: when and through which port it was
    // read, and the model list's choice when the name does not follow it.
    static QString Comment(const QDateTime &when, const QString &port, const QString &listModel = QString());

    // What a backup is named after. The model list's choice, unless the image
    // says otherwise: imageKind is what the image's radio words make it
    // (InfoList::KindOf). When the list names the other device, the same family's
    // model of that device; when the list names none, the device type alone
    // (model 0).
    struct Naming {
        int model = 0;      // the file's model byte
        QString device;     // in the file name
        bool followsList = true;
    };
    static Naming NamingFor(int listModel, std::optional<DeviceKind> imageKind);

    struct SaveResult {
        QString path; // the file written, empty on failure
        IoError error;
    };
    // Saves the image with its model into folder (created when missing),
    // under a name no file has yet. A note goes before the comment (a
    // series and its unit), which keeps the port at its end.
    static SaveResult Save(const QString &folder, const EepromImage &image, int model, const QString &port,
                           const QDateTime &when, std::optional<DeviceKind> imageKind = std::nullopt,
                           const QString &note = QString());

    struct Entry {
        QDateTime when; // from the name; the file's time when the name's is impossible
        int model = -1; // the file's model byte, -1 for none
        QString device; // as the name gives it ("SN-258 Труба", "Труба")
        uint16_t id = 0;
        QString port; // from the comment, empty if it names none
        QString comment;
        QString path;
    };
    // The backups in folder, newest first. Files whose name is not a
    // backup's are left out. A folder that cannot be listed, and a backup
    // that cannot be read, are problems (path as given for the folder); a
    // folder that does not exist yet holds no backups and is none.
    struct Problem {
        QString path;
        IoError error;
    };
    static QList<Entry> List(const QString &folder, QList<Problem> *problems = nullptr);
    // The backups filter of the window and of "backups --id N": a number is
    // an ID code (decimal, as "Инфо" shows it) and matches it exactly; any
    // other text matches the date, device, port, comment or file name
    // containing it, in any case. An empty filter matches all.
    static bool Matches(const Entry &entry, const QString &filter);
    static QList<Entry> Filtered(const QList<Entry> &entries, const QString &filter);
};
