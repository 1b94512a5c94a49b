#include "PortAlias.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sim {

namespace {

bool isSupportName(const std::string& name) {
    static const std::string wanted = "support";
    return name.size() == wanted.size() &&
           std::equal(name.begin(), name.end(), wanted.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

fs::path PortAlias::supportFolder(const fs::path& appDir) {
    const fs::path exact = appDir / "Support";
    std::error_code ec;
    if (fs::is_directory(exact, ec))
        return exact;
    for (const fs::directory_entry& entry : fs::directory_iterator(appDir, ec)) {
        if (entry.is_directory(ec) && isSupportName(entry.path().filename().string()))
            return entry.path();
    }
    return exact;
}

fs::path PortAlias::defaultAppDir(const fs::path& programFolder) {
    std::error_code ec;
    if (fs::is_directory(supportFolder(programFolder), ec))
        return programFolder;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && fs::path(configHome).is_absolute())
        return fs::path(configHome) / "vorna7";
    const char* home = std::getenv("HOME");
    return home && *home ? fs::path(home) / ".config" / "vorna7" : programFolder;
}

bool PortAlias::point(const fs::path& appDir, int port, const std::string& device,
                      std::string& error) {
    std::error_code ec;
    const fs::path folder = supportFolder(appDir);
    fs::create_directories(folder, ec);
    if (ec) {
        error = folder.string() + ": " + ec.message();
        return false;
    }
    const fs::path alias = folder / ("COM" + std::to_string(port));
    const fs::file_status existing = fs::symlink_status(alias, ec);
    if (fs::exists(existing) && !fs::is_symlink(existing)) {
        error = alias.string() + " exists and is not a link";
        return false;
    }
    // Built beside and renamed over, so the program never finds the alias missing.
    const fs::path temporary =
        folder / (".COM" + std::to_string(port) + "." + std::to_string(::getpid()));
    fs::remove(temporary, ec);
    fs::create_symlink(device, temporary, ec);
    if (!ec)
        fs::rename(temporary, alias, ec);
    if (ec) {
        error = alias.string() + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    path_ = alias;
    device_ = device;
    return true;
}

void PortAlias::remove() {
    if (path_.empty())
        return;
    std::error_code ec;
    if (fs::is_symlink(path_, ec) && fs::read_symlink(path_, ec).string() == device_)
        fs::remove(path_, ec);
    path_.clear();
    device_.clear();
}

} // namespace sim
