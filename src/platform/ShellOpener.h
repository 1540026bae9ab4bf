#pragma once

#include <QString>

namespace qzc {

/// True for a web address ("http://", "https://"), which is opened as it is; anything else is a file.
bool isWebAddress(const QString& path);

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
