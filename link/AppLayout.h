#pragma once

#include <QString>

// Where the program reads the files it ships with and writes its own.
//
// Portable use: the program's folder holds Support/, and both are that folder, as always.
// Installed use (no Support/ beside the program, as in /usr/bin): the shipped files (Help/,
// Support/ with the fault texts and a default RSPort.cfg) are read from <prefix>/share/vorna7,
// and what the program writes (RSPort.cfg, the COM<N> aliases, the development tool's port
// files) goes to the user's configuration folder, <config>/vorna7.
class AppLayout {
public:
    // Decides the use from the program's folder. `configHome` is the user's configuration
    // folder (~/.config, or $XDG_CONFIG_HOME); empty asks the platform.
    static AppLayout forProgramFolder(const QString& programFolder, QString configHome = {});
    // One folder for both, as --appdir gives it.
    static AppLayout forFolder(const QString& folder);

    bool isInstalled() const { return installed_; }
    // Where the program writes: Support/RSPort.cfg, Support/COM<N>, TEK51/ ...
    const QString& applicationFolder() const { return applicationFolder_; }
    // Where the shipped files are read: Help/ and Support/.
    const QString& shippedFolder() const { return shippedFolder_; }
    // Where the set-up file dialogs first open: the application folder in portable use, the
    // user's home when installed (set-up files do not belong in a hidden settings folder).
    QString setupFilesFolder() const;

    // Installed use: creates <application folder>/Support and seeds it with the shipped
    // RSPort.cfg when the user has none. Nothing to do in portable use. Returns an error text,
    // empty on success.
    QString prepare() const;

private:
    QString applicationFolder_;
    QString shippedFolder_;
    bool installed_ = false;
};
