// The package as a plant installs it: unpacked into a throw-away root, run from there with a
// fresh home folder. Nothing of the build tree may be found, and nothing written under usr/.
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "TempFolder.h"

namespace {

constexpr int StartMs = 10000;

// Every file and folder under `folder` with its size and time, to see that nothing changed.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

bool waitFor(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(StartMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

class InstalledPackage : public testing::Test {
protected:
    TempFolder root;
    TempFolder home;
    QString configSupport = home.filePath(QStringLiteral(".config/vorna7/Support"));

    void SetUp() override {
        QProcess unpack;
        unpack.start(QStringLiteral("dpkg"),
                     {QStringLiteral("-x"), QStringLiteral(VORNA7_DEB_FILE), root.path()});
        ASSERT_TRUE(unpack.waitForFinished(60000) && unpack.exitCode() == 0)
            << unpack.readAllStandardError().toStdString();
    }

    // An installed program, started in the test's home with nothing of the build around it.
    void start(QProcess& process, const QString& program, const QStringList& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.remove(QStringLiteral("XDG_CONFIG_HOME"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(home.path());
        process.start(root.filePath(QStringLiteral("usr/bin/") + program), arguments);
        EXPECT_TRUE(process.waitForStarted(StartMs)) << program.toStdString();
    }

    QString output(const QString& program, const QStringList& arguments) const {
        QProcess process;
        start(process, program, arguments);
        const bool finished = process.waitForFinished(StartMs);
        EXPECT_TRUE(finished && process.exitCode() == 0)
            << program.toStdString() << ": " << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

TEST_F(InstalledPackage, RunsFromItsOwnFilesAndWritesOnlyToTheUsersConfiguration) {
    const QStringList usrBefore = snapshot(root.filePath(QStringLiteral("usr")));
    EXPECT_EQ(output(QStringLiteral("vorna7ctl"), {QStringLiteral("--version")}),
              QStringLiteral("vorna7ctl " VORNA7_VERSION "\n"));

    // The window's first run makes the settings folder and seeds it from the shipped file.
    QProcess window;
    start(window, QStringLiteral("vorna7"), {});
    const QString settings = configSupport + QStringLiteral("/RSPort.cfg");
    EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(settings); }));
    EXPECT_EQ(home.read(QStringLiteral(".config/vorna7/Support/RSPort.cfg")),
              root.read(QStringLiteral("usr/share/vorna7/Support/RSPort.cfg")));
    EXPECT_EQ(window.state(), QProcess::Running) << window.readAllStandardError().toStdString();
    window.terminate();
    window.waitForFinished(StartMs);

    // The simulator links its line where the companion looks for port 1.
    QProcess simulator;
    start(simulator, QStringLiteral("vorna7-sim"),
          {QStringLiteral("--speed"), QStringLiteral("321")});
    ASSERT_TRUE(simulator.waitForReadyRead(StartMs))
        << simulator.readAllStandardError().toStdString();
    const QString device = QString::fromUtf8(simulator.readLine()).trimmed();
    EXPECT_EQ(QFileInfo(configSupport + QStringLiteral("/COM1")).symLinkTarget(), device);
    EXPECT_EQ(output(QStringLiteral("vorna7ctl"), {QStringLiteral("read"), QStringLiteral("W182")}),
              QStringLiteral("321\n"));
    simulator.terminate();
    EXPECT_TRUE(simulator.waitForFinished(StartMs));

    EXPECT_EQ(snapshot(root.filePath(QStringLiteral("usr"))), usrBefore);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
