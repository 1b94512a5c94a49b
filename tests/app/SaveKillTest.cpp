#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "BoardRig.h"
#include "CommSettings.h"
#include "SdtFile.h"
#include "SetupTables.h"

namespace {

constexpr int Kills = 200;

struct Tally {
    int old = 0;
    int fresh = 0;
    int torn = 0;
};

void sleepNanos(long nanos) {
    const timespec wait{nanos / 1'000'000'000, nanos % 1'000'000'000};
    nanosleep(&wait, nullptr);
}

// A child saves version 1 over version 0 (and on, in turn, without end) until it is killed at
// a random moment of its first save; every time, each file must be one whole version.
Tally killWhileSaving(const char* what, const QStringList& files,
                      const std::function<void(int)>& save) {
    QList<QByteArray> versions[2];
    QElapsedTimer timer;
    qint64 saveNanos = 0;
    for (int version : {1, 0}) {
        timer.start();
        save(version);
        saveNanos = std::max(saveNanos, timer.nsecsElapsed());
        for (const QString& file : files) {
            QFile saved(file);
            versions[version].append(saved.open(QIODevice::ReadOnly) ? saved.readAll() : "");
        }
    }
    std::mt19937 random(22);
    Tally tally;
    for (int kill = 0; kill < Kills; ++kill) {
        int ready[2];
        if (pipe(ready) != 0)
            ADD_FAILURE() << "pipe";
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            (void)!write(ready[1], "r", 1);
            for (int version = 1;; version ^= 1)
                save(version);
        }
        close(ready[1]);
        char byte = 0;
        (void)!read(ready[0], &byte, 1);
        close(ready[0]);
        sleepNanos(std::uniform_int_distribution<qint64>(0, saveNanos)(random));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (qsizetype k = 0; k < files.size(); ++k) {
            QFile saved(files[k]);
            const QByteArray bytes = saved.open(QIODevice::ReadOnly) ? saved.readAll() : "";
            (bytes == versions[0][k]   ? tally.old
             : bytes == versions[1][k] ? tally.fresh
                                       : tally.torn)++;
        }
    }
    std::printf("killed %d times while saving %s: %d files whole old, %d whole new, %d torn\n",
                Kills, what, tally.old, tally.fresh, tally.torn);
    return tally;
}

TEST(SaveKill, ASetUpFileIsWholeOldOrWholeNew) {
    TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("line.sdt"));
    SetupData data[2] = {SetupTables::defaultData(SetupTables::programVersion()), {}};
    data[1] = data[0];
    data[1].resizeTables(39);
    data[1].ParamValue[1] = 350;
    const Tally tally = killWhileSaving("a set-up file", {path}, [&](int version) {
        ASSERT_EQ(SdtFile::write(path, data[version]), QString());
    });
    EXPECT_EQ(tally.torn, 0);
}

TEST(SaveKill, RSPortCfgIsWholeOldOrWholeNew) {
    TempFolder folder;
    const QString path = CommSettings::path(folder.path());
    const Tally tally = killWhileSaving("RSPort.cfg", {path}, [&](int version) {
        CommSettings settings;
        settings.port = version == 0 ? 1 : 42;
        settings.speed = version == 0 ? 9600 : 19200;
        ASSERT_TRUE(settings.write(path, nullptr));
    });
    EXPECT_EQ(tally.torn, 0);
}

// A board type with a configuration file: the revision, configuration and HEX files.
TEST(SaveKill, AnUploadsProgramFilesAreEachWholeOldOrWholeNew) {
    BoardRig rig;
    ASSERT_TRUE(rig.folder.write(QStringLiteral("PUMP.tkp"), "8\r\n"));
    ProgramSet set;
    const QString stem = rig.folder.filePath(QStringLiteral("PUMP."));
    set.ProgramFileName = stem + "tkp";
    set.RevisionFileName = stem + "rev";
    set.ConfigFileName = stem + "lcf";
    set.HexFileName = stem + "hex";
    ASSERT_TRUE(rig.goOnline());
    const Tally tally = killWhileSaving(
        "an upload's program files", {set.RevisionFileName, set.ConfigFileName, set.HexFileName},
        [&](int version) {
            rig.board.memory().setByte(61424, version == 0 ? 'A' : 'B');
            rig.board.memory().setByte(8189, version == 0 ? 3 : 4);
            rig.board.memory().setByte(0x3FF0, version == 0 ? 0x12 : 0x34);
            rig.link.setProgramSet(set);
            rig.link.setInUploadMode(true);
            rig.link.UploadProgram();
        });
    EXPECT_EQ(tally.torn, 0);
}

} // namespace
