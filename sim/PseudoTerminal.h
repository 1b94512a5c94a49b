#pragma once

#include <string>

namespace sim {

// A raw pseudo-terminal: the simulator talks on the master side, the program under test
// opens the device path like a serial port. The simulator keeps the slave open itself, so
// the master never sees a hang-up while the program has the port closed; a hang-up is
// given only on purpose, to look like a pulled cable.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { hangUp(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with a reason in `error` when the system refuses.
    bool open(std::string& error);
    // Closes both sides: whoever has the device open gets a hang-up.
    void hangUp();

    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    const std::string& devicePath() const { return devicePath_; }

private:
    bool openMaster(std::string& error);
    bool openSlave(std::string& error);

    int master_ = -1;
    int slave_ = -1;
    std::string devicePath_;
};

} // namespace sim
