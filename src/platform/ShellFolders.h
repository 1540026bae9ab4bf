#pragma once

#include <QString>

namespace qzc {

/// The shell folder number of the user's desktop directory.
inline constexpr int desktopDirectoryFolderId = 16;

/// The path of a shell special folder (only desktopDirectoryFolderId is known), without a
/// trailing separator;
/// empty for an unknown number or when the folder does not exist.
QString GetSpecialFolder(int folderId);

} // namespace qzc
