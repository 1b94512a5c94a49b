#include <cstdio>
#include <filesystem>
#include <string>

#include "Board.h"
#include "PlausibleMachine.h"
#include "PortAlias.h"
#include "SimOptions.h"
#include "SimServer.h"
#include "Vorna7Version.h"

namespace {

std::filesystem::path executableFolder() {
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : executable.parent_path();
}

void applyOptions(const sim::SimOptions& options, sim::Board& board) {
    if (!options.bare)
        sim::PlausibleMachine::apply(board);
    board.faults().setWireBaud(options.wireBaud);
    if (options.speed)
        board.machine().setSpeed(static_cast<std::uint16_t>(*options.speed));
    if (options.silent)
        board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
    if (options.wrongEcho)
        board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::always());
    if (options.wrongAcknowledge)
        board.faults().set(sim::Fault::WrongAcknowledge, sim::FaultPlan::always());
    if (options.plsNotReady)
        board.faults().set(sim::Fault::PLSNotReady, sim::FaultPlan::always());
    if (options.plsWrongAcknowledge)
        board.faults().set(sim::Fault::PLSWrongAck, sim::FaultPlan::always());
    if (options.badRecall)
        board.faults().set(sim::Fault::BadRecall, sim::FaultPlan::always());
    if (options.plsBusyMs)
        board.pls().setBusyPeriod(static_cast<std::int64_t>(*options.plsBusyMs) * 1000);
    if (options.firmware)
        board.memory().setByte(sim::Board::FirmwareAddress,
                               static_cast<std::uint8_t>(*options.firmware));
    if (options.faultCode)
        board.memory().setByte(sim::Board::FaultCodeAddress,
                               static_cast<std::uint8_t>(*options.faultCode));
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto options = sim::SimOptions::parse(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "vorna7-sim: %s\n%s", error.c_str(), sim::SimOptions::usage());
        return 64;
    }
    if (options->help) {
        std::fputs(sim::SimOptions::usage(), stdout);
        return 0;
    }
    if (options->version) {
        std::puts("vorna7-sim " VORNA7_VERSION_TEXT);
        return 0;
    }
    sim::Board board;
    applyOptions(*options, board);
    const auto appDir = options->appDir.empty() ? sim::PortAlias::defaultAppDir(executableFolder())
                                                : std::filesystem::path(options->appDir);
    sim::SimServer server(board, appDir, options->port);
    if (!server.start(options->control, error)) {
        std::fprintf(stderr, "vorna7-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.devicePath().c_str());
    if (server.control().isTcp() && options->control == "0")
        std::printf("control %d\n", server.control().tcpPort());
    std::fflush(stdout);
    return server.run();
}
