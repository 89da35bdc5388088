#include "link/PortSettings.h"

#include "link/PortNames.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString Under(const QString &root, const QString &path)
{
    return root == QLatin1String("/") ? path : QDir::cleanPath(root + u'/' + path);
}
} // namespace

bool PortSettingInForce(const QString &name, const std::function<QString(const QString &)> &devicePathOf)
{
    const QString set = qEnvironmentVariable(("QUILLON_" + name.toUpper()).toLatin1().constData());
    return !set.isEmpty() && devicePathOf(name) == set;
}

bool IsPseudoTerminal(const QString &devicePath, const QString &root)
{
    if (devicePath.isEmpty())
        return false;
    const QString target = QFileInfo(Under(root, devicePath)).canonicalFilePath();
    return !target.isEmpty() && target.startsWith(Under(root, QStringLiteral("/dev/pts/")));
}

QList<PortSetting> PortSettingsInForce(const std::function<QString(const QString &)> &devicePathOf,
                                       const QString &root)
{
    QList<PortSetting> settings;
    for (int n = 1; n <= kComPortCount; ++n) {
        const QString name = ComName(n);
        if (!PortSettingInForce(name, devicePathOf))
            continue;
        PortSetting s;
        s.name = name;
        s.path = devicePathOf(name);
        s.target = QFileInfo(Under(root, s.path)).canonicalFilePath();
        if (root != QLatin1String("/") && s.target.startsWith(QDir::cleanPath(root) + u'/'))
            s.target = s.target.mid(QDir::cleanPath(root).size()); // as the running system names it
        s.pseudoTerminal = IsPseudoTerminal(s.path, root);
        settings << s;
    }
    return settings;
}
