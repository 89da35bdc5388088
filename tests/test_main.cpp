#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

#include "image/Wording.h"

#include <functional>

std::function<void(bool entering)> DeliveryHook;

namespace {
// Lets a test watch each delivery (BlockWatch.h).
class TestApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!DeliveryHook)
            return QApplication::notify(receiver, event);
        DeliveryHook(true);
        struct Leave {
            ~Leave()
            {
                if (DeliveryHook)
                    DeliveryHook(false);
            }
        } leave;
        return QApplication::notify(receiver, event);
    }
};
} // namespace

int main(int argc, char **argv)
{
    // Headless unless a caller asked for a real display (Xvfb checks).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Backups of the reads that tests run go to a folder of their own, never
    // into the home folder; the programs tests start inherit it.
    // In memory where there is such a place: a backup's flush to a busy disk
    // would otherwise count against the window's handlers (BlockWatch.h).
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    QTemporaryDir dataHome(shm.isDir() && shm.isWritable() ? QStringLiteral("/dev/shm/quillon-test-XXXXXX")
                                                           : QDir::tempPath() + QStringLiteral("/quillon-test-XXXXXX"));
    if (dataHome.isValid())
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    // Nor do the window's settings touch the user's: each run starts from
    // none (XDG for the programs tests start, the path for this one, also
    // on Windows).
    const QString configHome = dataHome.path() + QStringLiteral("/config");
    if (dataHome.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome));
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configHome);
    }
    TestApplication app(argc, argv);
    // As the programs start in Russian: the sources' texts with their plural
    // forms. A test that switches to English installs its catalogue on top.
    QTranslator plurals;
    if (LoadRussianPlurals(plurals))
        QCoreApplication::installTranslator(&plurals);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
