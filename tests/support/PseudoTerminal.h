#pragma once

#include <QString>

namespace qzc::test {

/// A pseudo-terminal pair in raw mode. The program opens the slave device by its path; the
/// simulator reads and writes the master side. The slave stays open here as well, so the
/// program may close and reopen its side without hanging the line up.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool isValid() const { return masterFd_ >= 0; }
    const QString& devicePath() const { return devicePath_; }
    int masterFd() const { return masterFd_; }

    /// Closes the master side: the device hangs up for whoever has it open.
    void closeMaster();

private:
    int masterFd_ = -1;
    int slaveFd_ = -1;
    QString devicePath_;
};

} // namespace qzc::test
