#pragma once

#include <QFile>
#include <QString>
#include <cstdlib>
#include <unistd.h>

#include "TempFolder.h"

// A device file this user may not open, the common first-run failure on Linux. Root may open
// any file, so while this lives a root test gives up root's rights (and takes them back after).
class ForbiddenDevice {
public:
    explicit ForbiddenDevice(const TempFolder& folder)
        : path_(folder.filePath(QStringLiteral("ttyS9"))) {
        const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        ready_ = folder.write(QStringLiteral("ttyS9"), "") &&
                 QFile::setPermissions(path_, ReadOnly) &&
                 QFile::setPermissions(folder.path(), open); // anyone may reach the file
        if (ready_ && ::geteuid() == 0)
            ready_ = dropped_ = ::setresuid(Nobody, Nobody, 0) == 0;
    }
    ~ForbiddenDevice() {
        if (dropped_ && ::setresuid(0, 0, 0) != 0)
            std::abort(); // the rest of the run would not be what it seems
    }
    ForbiddenDevice(const ForbiddenDevice&) = delete;
    ForbiddenDevice& operator=(const ForbiddenDevice&) = delete;

    // False where the rights cannot be given up; the test then skips.
    bool ready() const { return ready_; }
    const QString& path() const { return path_; }

private:
    static constexpr uid_t Nobody = 65534;
    // Readable but not writable: a port needs both.
    static constexpr auto ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    QString path_;
    bool ready_ = false;
    bool dropped_ = false;
};
