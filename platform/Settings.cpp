#include "Settings.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cstdio>

namespace platform {

namespace {

constexpr QLatin1String application("Cambrivo");
constexpr QLatin1String section("Parameters");

} // namespace

QString GetSetting(const QString &key, const QString &defaultText)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    const QVariant value = store.value(section + u'/' + key);
    // A hand-edited "Value=1936,27" has an unquoted comma, which the INI reader splits.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    if (!value.isValid() || !value.canConvert<QString>())
        return defaultText;
    return value.toString();
}

bool SaveSettings(const QList<std::pair<QString, QString>> &entries)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    store.beginGroup(section);
    for (const auto &[key, value] : entries)
        store.setValue(key, value);
    store.endGroup();
    store.sync();
    const bool stored = store.status() == QSettings::NoError;
    static bool reported = false;
    if (!stored && !reported) {
        reported = true;
        std::fprintf(stderr, "cambrivo: cannot write the settings to %s\n",
                     qPrintable(store.fileName()));
    }
    return stored;
}

} // namespace platform
