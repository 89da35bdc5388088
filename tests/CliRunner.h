#pragma once

// For tests that run quillon-cli (QUILLON_CLI, which ctest sets) as a user
// does, on a real command line: the one way to run it.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

struct Ran {
    int code = -1; // -1: it did not start, crashed or did not end
    QString out, err;
};

struct CliRun {
    QProcessEnvironment env; // added to the test's own environment
    QByteArray input;        // its standard input, which is then closed
    // Its standard output: "" captured, "closed" (>&-), "readonly"
    // (1</dev/null), else a file (/dev/full).
    QString stdoutTo;

    CliRun(const QProcessEnvironment &env = {}, const QByteArray &input = {}, const QString &stdoutTo = {})
        : env(env), input(input), stdoutTo(stdoutTo)
    {
    }
};

// Short ticks keep a suite of jobs quick.
inline QProcessEnvironment QuickTicks()
{
    QProcessEnvironment env;
    env.insert("QUILLON_TICK_MS", "2");
    return env;
}

// Runs it to its end, 30 s at most.
inline Ran RunQuillonCli(const QStringList &args, const CliRun &how = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(how.env);
    p.setProcessEnvironment(env);
    const QString cli = qEnvironmentVariable("QUILLON_CLI");
    if (how.stdoutTo == "closed")
        p.start("sh", QStringList{"-c", "exec \"$0\" \"$@\" >&-", cli} + args);
    else if (how.stdoutTo == "readonly")
        p.start("sh", QStringList{"-c", "exec \"$0\" \"$@\" 1</dev/null", cli} + args);
    else {
        if (!how.stdoutTo.isEmpty())
            p.setStandardOutputFile(how.stdoutTo);
        p.start(cli, args);
    }
    if (!p.waitForStarted(5000))
        return {};
    p.write(how.input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
