#include <QElapsedTimer>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "BoardRig.h"
#include "CommSettings.h"
#include "SdtFile.h"
#include "SetupTables.h"

namespace {

constexpr int Kills = 200;

QByteArray contents(const QString& file) {
    QFile saved(file);
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
}

// A child saves version 1 over version 0 (and on, in turn, without end) until it is killed at
// a random moment of its first save; every time, each file must be one whole version.
void expectWholeFilesAfterKills(const char* what, const QStringList& files,
                                const std::function<void(int)>& save) {
    QList<QByteArray> versions[2];
    QElapsedTimer timer;
    qint64 saveNanos = 0;
    for (int version : {1, 0}) {
        timer.start();
        save(version);
        saveNanos = std::max(saveNanos, timer.nsecsElapsed());
        for (const QString& file : files)
            versions[version].append(contents(file));
    }
    std::mt19937 random(22);
    int tally[3] = {}; // files whole old, whole new, torn
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
        std::this_thread::sleep_for(
            std::chrono::nanoseconds(std::uniform_int_distribution<qint64>(0, saveNanos)(random)));
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (qsizetype k = 0; k < files.size(); ++k) {
            const QByteArray bytes = contents(files[k]);
            ++tally[bytes == versions[0][k] ? 0 : bytes == versions[1][k] ? 1 : 2];
        }
    }
    std::printf("killed %d times while saving %s: %d files whole old, %d whole new, %d torn\n",
                Kills, what, tally[0], tally[1], tally[2]);
    EXPECT_EQ(tally[2], 0) << what;
}

TEST(SaveKill, EachSavedFileIsWholeOldOrWholeNew) {
    TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("line.sdt"));
    SetupData data[2] = {SetupTables::defaultData(SetupTables::programVersion()), {}};
    data[1] = data[0];
    data[1].resizeTables(39);
    data[1].ParamValue[1] = 350;
    expectWholeFilesAfterKills("a set-up file", {path}, [&](int version) {
        ASSERT_EQ(SdtFile::write(path, data[version]), QString());
    });

    const QString cfg = CommSettings::path(folder.path());
    expectWholeFilesAfterKills("RSPort.cfg", {cfg}, [&](int version) {
        CommSettings settings;
        settings.port = version == 0 ? 1 : 42;
        settings.speed = version == 0 ? 9600 : 19200;
        ASSERT_TRUE(settings.write(cfg, nullptr));
    });

    // A board type with a configuration file: the revision, configuration and HEX files.
    BoardRig rig;
    ASSERT_TRUE(rig.folder.write(QStringLiteral("PUMP.tkp"), "8\r\n"));
    ProgramSet set;
    const QString stem = rig.folder.filePath(QStringLiteral("PUMP."));
    set.ProgramFileName = stem + "tkp";
    set.RevisionFileName = stem + "rev";
    set.ConfigFileName = stem + "lcf";
    set.HexFileName = stem + "hex";
    ASSERT_TRUE(rig.goOnline());
    expectWholeFilesAfterKills("an upload's program files",
                               {set.RevisionFileName, set.ConfigFileName, set.HexFileName},
                               [&](int version) {
                                   rig.board.memory().setByte(61424, version == 0 ? 'A' : 'B');
                                   rig.board.memory().setByte(8189, version == 0 ? 3 : 4);
                                   rig.board.memory().setByte(0x3FF0, version == 0 ? 0x12 : 0x34);
                                   rig.link.setProgramSet(set);
                                   rig.link.setInUploadMode(true);
                                   rig.link.UploadProgram();
                               });
}

} // namespace
