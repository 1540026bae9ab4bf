#include "support/PseudoTerminal.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace qzc::test {

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
        return;
    termios settings{};
    if (tcgetattr(slave, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(slave, TCSANOW, &settings);
    }
    masterFd_ = master;
    slaveFd_ = slave;
    devicePath_ = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
    if (slaveFd_ >= 0)
        ::close(slaveFd_);
}

void PseudoTerminal::closeMaster() {
    if (masterFd_ >= 0)
        ::close(masterFd_);
    masterFd_ = -1;
}

} // namespace qzc::test
