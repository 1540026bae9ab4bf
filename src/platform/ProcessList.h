#pragma once

#include <QString>

namespace qzc {

/// Which programs are running.
class ProcessList {
public:
    virtual ~ProcessList() = default;
    /// Whether a running process has exactly this executable file name (with regard to
    /// case). A name ending in ".exe" also matches the name without it: companion programs
    /// known by their Windows file name, such as "preventsleep.exe", run here as "preventsleep".
    virtual bool IsProcessRunning(const QString& exeName) const = 0;
};

/// The processes of this machine, read from /proc.
class ProcProcessList final : public ProcessList {
public:
    /// procRoot: the proc file system (tests pass a folder laid out the same way).
    explicit ProcProcessList(QString procRoot = QStringLiteral("/proc"));

    /// Each process is known by the file name its /proc/<pid>/exe link points to and by the
    /// file names of the first two words of /proc/<pid>/cmdline (a program started through a
    /// link, or a script run by its interpreter); when the exe link cannot be read (another
    /// user's process), also by /proc/<pid>/comm, which the kernel cuts to 15 characters, so
    /// only the first 15 characters of a longer name are compared against it.
    bool IsProcessRunning(const QString& exeName) const override;

private:
    QString procRoot_;
};

} // namespace qzc
