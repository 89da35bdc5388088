#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Headless unless a caller asked for a real display (Xvfb checks).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Backups of the reads that tests run go to a folder of their own, never
    // into the home folder; the programs tests start inherit it.
    QTemporaryDir dataHome;
    if (dataHome.isValid())
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    // Nor do the window's settings touch the user's: each run starts from
    // none (XDG for the programs tests start, the path for this one, also
    // on Windows).
    const QString configHome = dataHome.path() + QStringLiteral("/config");
    if (dataHome.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
