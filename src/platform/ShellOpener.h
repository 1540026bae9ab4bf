#pragma once

#include <QString>

namespace qzc {

/// Opens a file, or a web address ("http://", "https://"), with the program the desktop
/// associates with it.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    /// False when the file does not exist or the desktop could not open it.
    virtual bool open(const QString& path) = 0;
};

/// The desktop's own file associations.
class DesktopShellOpener final : public ShellOpener {
public:
    bool open(const QString& path) override;
};

} // namespace qzc
