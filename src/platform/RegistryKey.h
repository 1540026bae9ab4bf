#pragma once

#include <QString>

namespace qzc {

/// Read-only access to the settings key that the companion programs maintain
/// (SOFTWARE\Morvendale\ORV\Settings under the current user). On Windows that is the real
/// registry key; elsewhere the same values live in $XDG_CONFIG_HOME/Morvendale/ORV.conf,
/// group [Settings].
class RegistryKey {
public:
    /// The key of the current user.
    RegistryKey();
    /// A stand-in key kept in the given settings file (tests).
    explicit RegistryKey(QString settingsFile);

    /// The value as text (a number as its decimal digits); empty when the key or the value
    /// is missing or has another type.
    QString GetRegString(const QString& valueName) const;

private:
    QString settingsFile_;
};

} // namespace qzc
