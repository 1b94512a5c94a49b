#include "InfoOptions.h"

#include <cstring>

#include "Vorna7Version.h"

const char* InfoOptions::usage() {
    return "Usage: vorna7 [--help | --version]\n"
           "Opens the VORNA7 main window: set-up, monitoring and service of a bodymaker's\n"
           "controller board over one serial line.\n"
           "\n"
           "  --help      print this summary and stop\n"
           "  --version   print the version and stop\n"
           "\n"
           "The port and speed come from Support/RSPort.cfg in the application folder: the\n"
           "program's own folder when it holds Support/, else the user's configuration\n"
           "folder (~/.config/vorna7), created on first use.\n";
}

std::optional<int> InfoOptions::answer(int argc, char* argv[], std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            out << usage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            out << "vorna7 " VORNA7_VERSION_TEXT "\n";
            return 0;
        }
    }
    return std::nullopt;
}
