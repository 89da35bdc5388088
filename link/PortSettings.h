#pragma once

// The COM names as the settings in force make them: which name a QUILLON_COMn
// setting gives a device of the user's choice, and what stands behind it.
// A pseudo-terminal (the telephone emulator) is a device like any other.

#include <QList>
#include <QString>
#include <functional>

// A QUILLON_<name> setting is in force and the name maps to it.
bool PortSettingInForce(const QString &name, const std::function<QString(const QString &)> &devicePathOf);

// The device path, followed through links, is a pseudo-terminal.
bool IsPseudoTerminal(const QString &devicePath, const QString &root = QStringLiteral("/"));

struct PortSetting {
    QString name;    // "COM1"
    QString path;    // as the setting gives it
    QString target;  // where its links lead; empty when nothing is there
    bool pseudoTerminal = false;
};
// Every COM name a setting in force maps, in list order.
QList<PortSetting> PortSettingsInForce(const std::function<QString(const QString &)> &devicePathOf,
                                       const QString &root = QStringLiteral("/"));
