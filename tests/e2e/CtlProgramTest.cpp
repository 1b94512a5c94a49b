#include <QFile>

#include "CtlAgainstSim.h"

namespace {

class CtlProgram : public CtlAgainstSim {
protected:
    QString writeSet(const QByteArray& hex) {
        const QString stem = sim.appDir() + QStringLiteral("/PUMP.");
        const std::pair<const char*, QByteArray> files[] = {
            {"tkp", "2\r\n"}, {"rev", "PROG0001:?05\r\n"}, {"hex", hex}};
        for (const auto& [ext, content] : files) {
            QFile file(stem + QLatin1String(ext));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) > 0);
        }
        return stem + QStringLiteral("tkp");
    }
};

} // namespace

TEST_F(CtlProgram, RefusedHexFileExitsOneHavingSentNothing) {
    const QString program = writeSet(":0201F000AB1250\r\n");
    const CtlProcess::Result run = ctl({"--trace", "download-program", program, "--yes"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("vorna7ctl: ") + sim.appDir() +
                           QStringLiteral("/PUMP.hex line 1: the end record is missing\n"));
}

TEST_F(CtlProgram, DownloadThenVerifyFindsTheRecordsInTheBoard) {
    const QString program = writeSet(":0201F000AB1250\r\n:00000001FF\r\n");
    const CtlProcess::Result load = ctl({"download-program", program, "--yes"});
    EXPECT_EQ(load.exitCode, 0);
    EXPECT_TRUE(
        load.err.endsWith(QStringLiteral("Program Download: Program Download Complete!\n")));
    EXPECT_EQ(ctl({"verify-program", program}).out, QStringLiteral("verified 2 bytes\n"));
    ASSERT_EQ(sim.control("set B497 0"), "ok");
    const CtlProcess::Result differs = ctl({"verify-program", program});
    EXPECT_EQ(differs.exitCode, 1);
    EXPECT_EQ(differs.out, QStringLiteral("first difference at 01F1H: file 12, board 00\n"));
    // A write never echoed right (from B8181 on, after the ten ident reads) is no complete load.
    ASSERT_EQ(sim.control("fault wrong-echo 100 after 10"), "ok");
    EXPECT_EQ(ctl({"download-program", program, "--yes"}).exitCode, 2);
    // A spoilt read is a link failure, never the board's byte.
    ASSERT_EQ(sim.control("fault wrong-echo on"), "ok");
    const CtlProcess::Result unread = ctl({"verify-program", program});
    EXPECT_EQ(std::pair(unread.exitCode, unread.out + unread.err),
              std::pair(2, QStringLiteral("vorna7ctl: verify-program: cannot read 01F0H\n")));
}
