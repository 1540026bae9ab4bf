// Minimal reader so that the configuration links and can be tested; the platform layer's
// full version replaces it.
#include "platform/RegistryKey.h"

#include <QSettings>
#include <memory>

namespace qzc {

RegistryKey::RegistryKey() = default;

RegistryKey::RegistryKey(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString RegistryKey::GetRegString(const QString& valueName) const {
    const auto settings =
        settingsFile_.isEmpty()
            ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Morvendale"), QStringLiteral("ORV"))
            : std::make_unique<QSettings>(settingsFile_, QSettings::IniFormat);
    settings->beginGroup(QStringLiteral("Settings"));
    const QVariant value = settings->value(valueName);
    switch (value.metaType().id()) {
    case QMetaType::QString:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    default:
        return {};
    }
}

} // namespace qzc
