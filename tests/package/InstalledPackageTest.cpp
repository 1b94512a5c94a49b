// The package as a plant installs it: unpacked into a throw-away root, run from there with a
// fresh home folder. Nothing of the build tree may be found, and nothing written under usr/.
#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "TempFolder.h"

namespace {

// Every entry under `folder` with its size and time, to see that nothing changed.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo info(it.next());
        entries << info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                       QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

TEST(InstalledPackage, RunsFromItsOwnFilesAndWritesOnlyToTheUsersConfiguration) {
    TempFolder root, home;
    ASSERT_EQ(QProcess::execute("dpkg", {"-x", VORNA7_DEB_FILE, root.path()}), 0);
    const QStringList usrBefore = snapshot(root.filePath("usr"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.remove("XDG_CONFIG_HOME");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    const auto start = [&](QProcess& process, const QString& program, const QStringList& args) {
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        process.start(root.filePath("usr/bin/" + program), args);
        EXPECT_TRUE(process.waitForStarted()) << program.toStdString();
    };
    const auto output = [&](const QString& program, const QStringList& args) {
        QProcess process;
        start(process, program, args);
        EXPECT_TRUE(process.waitForFinished() && process.exitCode() == 0) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    EXPECT_EQ(output("vorna7ctl", {"--version"}), "vorna7ctl " VORNA7_VERSION "\n");

    // The window's first run makes the settings folder and seeds it from the shipped file.
    QProcess window;
    start(window, "vorna7", {});
    const QString settings = ".config/vorna7/Support/RSPort.cfg";
    for (int wait = 0; wait < 500 && !home.exists(settings); ++wait)
        QThread::msleep(20);
    EXPECT_EQ(home.read(settings), root.read("usr/share/vorna7/Support/RSPort.cfg"));
    EXPECT_EQ(window.state(), QProcess::Running) << window.readAllStandardError().toStdString();
    window.terminate();
    window.waitForFinished();

    // The simulator links its line where the companion looks for port 1.
    QProcess simulator;
    start(simulator, "vorna7-sim", {"--speed", "321"});
    ASSERT_TRUE(simulator.waitForReadyRead());
    const QString device = QString::fromUtf8(simulator.readLine()).trimmed();
    EXPECT_EQ(QFileInfo(home.filePath(".config/vorna7/Support/COM1")).symLinkTarget(), device);
    EXPECT_EQ(output("vorna7ctl", {"read", "W182"}), "321\n");
    simulator.terminate();
    EXPECT_TRUE(simulator.waitForFinished());

    EXPECT_EQ(snapshot(root.filePath("usr")), usrBefore);
}

// The Main Display's trend needs the charts library, which no window system plugin pulls in.
TEST(InstalledPackage, DependsOnTheChartsLibrary) {
    QProcess fields;
    fields.start("dpkg-deb", {"-f", VORNA7_DEB_FILE, "Depends"});
    EXPECT_TRUE(fields.waitForFinished() &&
                fields.readAllStandardOutput().contains("libqt6charts6"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
