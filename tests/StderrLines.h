#pragma once

// A process's standard error taken a line at a time as it comes, for tests
// that answer what a running program says.

#include <QProcess>
#include <QString>
#include <functional>

// Every complete line of p's standard error goes to onLine as it arrives and
// is added to *all.
inline void OnStderrLines(QProcess &p, QString *all, const std::function<void(const QString &)> &onLine)
{
    QObject::connect(&p, &QProcess::readyReadStandardError, [&p, all, onLine] {
        p.setReadChannel(QProcess::StandardError);
        while (p.canReadLine()) {
            const QString line = QString::fromUtf8(p.readLine());
            *all += line;
            onLine(line);
        }
    });
}
