#pragma once

#include <QString>

namespace qzc {

/// An ini file read and written the way the Windows profile functions do it:
/// section and key names match without regard to case, the first match wins, a write
/// changes only its own line (or adds the key or section) and keeps every other line,
/// comment and line end as it was. The file is read anew on every call, so changes by
/// other programs are seen at once.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& path() const { return path_; }

    /// The key's value with surrounding blanks removed; empty when the file, the
    /// section or the key is missing.
    QString read(const QString& section, const QString& key) const;

    /// Writes one key, creating the file, the section or the key when needed.
    /// Returns false when the file cannot be written.
    bool write(const QString& section, const QString& key, const QString& value);

private:
    QString path_;
};

} // namespace qzc
