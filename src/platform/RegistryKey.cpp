#include "platform/RegistryKey.h"

#include <QSettings>
#include <QVariant>
#include <memory>

namespace qzc {

RegistryKey::RegistryKey() = default;

RegistryKey::RegistryKey(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QString RegistryKey::GetRegString(const QString& valueName) const {
    if (valueName.isEmpty())
        return {};
    const auto settings =
        settingsFile_.isEmpty()
            ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Morvendale"), QStringLiteral("ORV"))
            : std::make_unique<QSettings>(settingsFile_, QSettings::IniFormat);
    if (settings->status() != QSettings::NoError)
        return {};
    settings->beginGroup(QStringLiteral("Settings"));
    const QVariant value = settings->value(valueName);

    // Texts of any length are returned whole (a fixed read buffer would lose long values).
    switch (value.typeId()) {
    case QMetaType::QString: {
        // A registry string ends at its first NUL.
        const QString text = value.toString();
        const qsizetype nul = text.indexOf(QChar(u'\0'));
        return nul < 0 ? text : text.left(nul);
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    default:
        // Lists, binary data and missing values.
        return {};
    }
}

} // namespace qzc
