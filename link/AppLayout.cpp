#include "AppLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "SupportFolder.h"

namespace {

const QString SettingsFileName = QStringLiteral("RSPort.cfg");

// The shipped files sit in share/vorna7 beside the program's bin/ folder, so a package
// unpacked into any root (or a prefix other than /usr) finds its own.
QString shippedFolderFor(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/vorna7")));
}

QString copyAtomically(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return from + QStringLiteral(": ") + source.errorString();
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) < 0 ||
        !target.commit())
        return to + QStringLiteral(": ") + target.errorString();
    return {};
}

} // namespace

AppLayout AppLayout::forProgramFolder(const QString& programFolder, QString configHome) {
    if (!SupportFolder::findEntry(programFolder, QStringLiteral("Support"), QDir::Dirs).isEmpty())
        return forFolder(programFolder);
    if (configHome.isEmpty())
        configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    AppLayout layout;
    layout.applicationFolder_ = QDir(configHome).filePath(QStringLiteral("vorna7"));
    layout.shippedFolder_ = shippedFolderFor(programFolder);
    layout.installed_ = true;
    return layout;
}

AppLayout AppLayout::forFolder(const QString& folder) {
    AppLayout layout;
    layout.applicationFolder_ = folder;
    layout.shippedFolder_ = folder;
    return layout;
}

QString AppLayout::setupFilesFolder() const {
    return installed_ ? QDir::homePath() : applicationFolder_;
}

QString AppLayout::prepare() const {
    if (!installed_)
        return {};
    const QString support = SupportFolder::path(applicationFolder_);
    if (!QDir().mkpath(support))
        return support + QStringLiteral(": the folder cannot be created");
    const QString settings = QDir(support).filePath(SettingsFileName);
    const QString shipped = SupportFolder::file(shippedFolder_, SettingsFileName);
    if (QFileInfo::exists(settings) || !QFileInfo::exists(shipped))
        return {};
    return copyAtomically(shipped, settings);
}
