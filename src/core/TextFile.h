#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// True when the file can be opened for reading (a folder is not a file).
bool FileExists(const QString& path);

/// The whole file as text (UTF-8 when the bytes are valid UTF-8, else Windows-1252), with
/// errorCode 0. An empty path gives "" with errorCode 1; a missing file "" with errorCode 0;
/// a file that exists but cannot be read gives "This file could not be opened - " and the
/// path, with the file error number in errorCode.
QString ReadTextFile(const QString& path, qint16& errorCode);

/// Writes text as Windows-1252 over any earlier file at path, whole or not at all (an earlier
/// file stays as it was when the writing fails). False with the reason in errorText.
bool WriteTextFile(const QString& path, const QString& text, QString& errorText);

} // namespace qzc
