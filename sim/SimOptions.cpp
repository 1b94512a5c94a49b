#include "SimOptions.h"

#include <string_view>

#include "WholeNumber.h"

namespace sim {

namespace {

std::optional<int> wholeNumber(std::string_view text, int low, int high) {
    const auto value =
        WholeNumber::parse(text, static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(high));
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

} // namespace

const char* SimOptions::usage() {
    return "usage: vorna7-sim [--appdir DIR] [--port N] [--wire 0|9600|19200] [--speed SPM]\n"
           "                  [--bare] [--silent] [--wrong-echo] [--wrong-ack] [--control "
           "PORT|FIFO]\n"
           "                  [--pls-busy MS] [--pls-not-ready] [--pls-wrong-ack] [--bad-recall]\n"
           "                  [--firmware REV] [--fault-code CODE] [--version]\n"
           "Creates a pseudo-terminal, links it as DIR/Support/COM<N>, prints its path and\n"
           "answers as the target board until interrupted. DIR defaults to the simulator's\n"
           "own folder when it holds Support/, else the user's configuration folder\n"
           "(~/.config/vorna7), as the program finds it.\n"
           "The board starts as a running bodymaker: set-up parameters at the defaults of a\n"
           "new set-up file, board type 61 (K6632(PLC)), program VORNA7, fault code 45H.\n"
           "--bare: set-up parameters, fault codes and board type 0 instead.\n"
           "--pls-busy: the PLS answers busy this long after each write (default 0).\n"
           "--pls-not-ready: the PLS never answers ready; --pls-wrong-ack: the PLS answers\n"
           "0x00 where it acknowledges a byte; --bad-recall: recalls give a high byte of 17.\n"
           "--firmware and --fault-code set the bytes B8159 and B8176 (0 to 255).\n"
           "--control reads commands, one per line:\n"
           "  fault silence|wrong-echo|wrong-ack|line-drop|pls-not-ready|pls-wrong-ack|\n"
           "        bad-recall|wrong-sum|no-sum|stuck-program on|off|<count> [after <count>]\n"
           "  fault clear | drop | wire 0|9600|19200 | speed SPM | stop | start\n"
           "  set ADDR VALUE | get ADDR\n"
           "  channel CH [clear | ON OFF | pulse START ON OFF] | pls-config [24 BYTES]\n"
           "  pls-busy [MS] | firmware [REV] | fault-code [CODE] | board-type [CODE]\n"
           "The PLS keeps its scale factor in W186 and its offset in W188.\n"
           "A TCP PORT of 0 picks a free port and prints \"control <port>\" after the path.\n";
}

std::optional<SimOptions> SimOptions::parse(int argc, const char* const* argv, std::string& error) {
    SimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string_view value = hasValue ? argv[i + 1] : "";
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--version") {
            options.version = true;
        } else if (option == "--bare") {
            options.bare = true;
        } else if (option == "--silent") {
            options.silent = true;
        } else if (option == "--wrong-echo") {
            options.wrongEcho = true;
        } else if (option == "--wrong-ack") {
            options.wrongAcknowledge = true;
        } else if (option == "--pls-not-ready") {
            options.plsNotReady = true;
        } else if (option == "--pls-wrong-ack") {
            options.plsWrongAcknowledge = true;
        } else if (option == "--bad-recall") {
            options.badRecall = true;
        } else if (option == "--pls-busy" && hasValue) {
            options.plsBusyMs = wholeNumber(value, 0, 60000);
            if (!options.plsBusyMs) {
                error = "--pls-busy takes milliseconds, 0 to 60000";
                return std::nullopt;
            }
            ++i;
        } else if ((option == "--firmware" || option == "--fault-code") && hasValue) {
            const auto byte = wholeNumber(value, 0, 255);
            if (!byte) {
                error = std::string(option) + " takes a number from 0 to 255";
                return std::nullopt;
            }
            (option == "--firmware" ? options.firmware : options.faultCode) = byte;
            ++i;
        } else if (option == "--appdir" && hasValue && !value.empty()) {
            options.appDir = value;
            ++i;
        } else if (option == "--control" && hasValue && !value.empty()) {
            options.control = value;
            ++i;
        } else if (option == "--port" && hasValue) {
            const auto port = wholeNumber(value, 1, 99);
            if (!port) {
                error = "--port takes a number from 1 to 99";
                return std::nullopt;
            }
            options.port = *port;
            ++i;
        } else if (option == "--wire" && hasValue) {
            const auto baud = wholeNumber(value, 0, 19200);
            if (!baud || (*baud != 0 && *baud != 9600 && *baud != 19200)) {
                error = "--wire takes 0, 9600 or 19200";
                return std::nullopt;
            }
            options.wireBaud = *baud;
            ++i;
        } else if (option == "--speed" && hasValue) {
            options.speed = wholeNumber(value, 0, 65535);
            if (!options.speed) {
                error = "--speed takes strokes per minute, 0 to 65535";
                return std::nullopt;
            }
            ++i;
        } else {
            error = "unknown or incomplete option " + std::string(option);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace sim
