#pragma once

// For tests that run quillon-phone as a process: the one way to start it.

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>

// Starts quillon-phone (QUILLON_PHONE, which ctest sets) with args and waits
// for the "PORT <path>" line it prints once its line is ready, 5 s at most
// for each step. The path, or an empty text with why not in *why.
inline QString StartPhone(QProcess &proc, const QStringList &args, QString *why = nullptr)
{
    const QString program = qEnvironmentVariable("QUILLON_PHONE");
    const auto fail = [&](const QString &what) {
        if (why)
            *why = program + what;
        return QString();
    };
    proc.start(program, args);
    if (!proc.waitForStarted(5000))
        return fail(": " + proc.errorString());
    while (!proc.canReadLine())
        if (!proc.waitForReadyRead(5000))
            return fail(" printed no port: " + QString::fromLocal8Bit(proc.readAllStandardError()));
    const QString line = QString::fromLatin1(proc.readLine()).trimmed();
    if (!line.startsWith("PORT "))
        return fail(" printed " + line);
    return line.mid(5);
}

// "--word AA=WWWW" for each of the 64 words. Formatted here, not by the
// program's own hex functions, which are under test.
template <typename Words> QStringList PhoneWordArgs(const Words &words)
{
    QStringList args;
    for (int a = 0; a < 64; ++a)
        args << "--word" << QString::asprintf("%02X=%04X", a, static_cast<unsigned>(words[a]));
    return args;
}

// The last complete EEPROM dump (--dump, SIGUSR1 or the control line "dump")
// in what the emulator wrote to stderr.
inline std::optional<std::array<uint16_t, 64>> LastPhoneDump(const QByteArray &errors)
{
    static const QRegularExpression row("^([0-9A-F]{2}):((?:\\s+[0-9A-F]{4}){8})\\s*$",
                                        QRegularExpression::MultilineOption);
    std::array<uint16_t, 64> words{}, complete{};
    int rows = 0;
    bool found = false;
    for (auto m = row.globalMatch(QString::fromLatin1(errors)); m.hasNext();) {
        const auto match = m.next();
        const int base = match.captured(1).toInt(nullptr, 16);
        const QStringList cells = match.captured(2).split(' ', Qt::SkipEmptyParts);
        for (int c = 0; c < 8; ++c)
            words[base + c] = static_cast<uint16_t>(cells[c].toUInt(nullptr, 16));
        rows = base == 0 ? 1 : rows + 1;
        if (rows == 8) {
            complete = words;
            found = true;
        }
    }
    return found ? std::optional(complete) : std::nullopt;
}

// An emulator that ended must have ended cleanly: a crash or a sanitizer
// report (which stops it) is a fault of its own.
inline void ExpectPhoneEndedCleanly(const QProcess &proc, const QByteArray &errors)
{
    EXPECT_TRUE(proc.exitStatus() == QProcess::NormalExit && proc.exitCode() == 0)
        << "quillon-phone ended with status " << proc.exitCode() << ": " << errors.toStdString();
}
