#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// The alias <appdir>/Support/COM<N> through which the program finds the simulator's
// device. Replaced atomically; removed on exit only while it still leads to our device.
class PortAlias {
public:
    PortAlias() = default;
    ~PortAlias() { remove(); }
    PortAlias(const PortAlias&) = delete;
    PortAlias& operator=(const PortAlias&) = delete;

    // The existing support folder whatever the case of its name, else <appdir>/Support.
    static std::filesystem::path supportFolder(const std::filesystem::path& appDir);
    // The application folder the program finds by itself: the program's folder when it holds
    // a support folder, else the user's configuration folder ($XDG_CONFIG_HOME or ~/.config,
    // then vorna7), as an installed program uses it.
    static std::filesystem::path defaultAppDir(const std::filesystem::path& programFolder);

    // Makes COM<port> lead to `device`; false with a reason when it cannot.
    bool point(const std::filesystem::path& appDir, int port, const std::string& device,
               std::string& error);
    void remove();

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string device_;
};

} // namespace sim
