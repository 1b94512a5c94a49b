#pragma once

#include <optional>
#include <ostream>

// The two options the program answers without opening a window: --help and --version. Every
// other argument is left to Qt (-platform, -style, ...), as before.
class InfoOptions {
public:
    // The exit status when an argument asked for information (written to `out`), else nothing.
    static std::optional<int> answer(int argc, char* argv[], std::ostream& out);
    static const char* usage();
};
