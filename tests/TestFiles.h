#pragma once

// A test's files read and written whole: the one way for every test.

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes; `unreadable` for a file that cannot be read, where an
// empty file must not pass for a missing one.
inline QByteArray ReadFile(const QString &path, const QByteArray &unreadable = QByteArray())
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : unreadable;
}

// The file made anew (or emptied) with exactly `bytes`; false when it could
// not be.
inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
