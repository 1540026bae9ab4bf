#pragma once

#include <QString>

namespace qzc {

/// The program folder: $QZC_HOME when set (tests and the demo), else the folder of the
/// executable. Absolute, with "/" separators, always ending with "/".
QString appFolder();

/// The path with every "\" turned into "/" (values from a Windows registry or ini file may
/// use either).
QString toInternalPath(const QString& path);

} // namespace qzc
