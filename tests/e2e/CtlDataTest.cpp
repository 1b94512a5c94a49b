#include <QFile>
#include <QProcess>

#include "CtlAgainstSim.h"

// upload-data, download-data and report of vorna7ctl against vorna7-sim.
namespace {

class CtlData : public CtlAgainstSim {
protected:
    void SetUp() override {
        CtlAgainstSim::SetUp();
        ASSERT_EQ(sim.control("speed 0"), "ok");
    }
    QString file(const char* name) const { return sim.appDir() + "/" + name; }
};

} // namespace

TEST_F(CtlData, UploadedFileDownloadsTheSameDataBackAfterShowingWhatDiffers) {
    ASSERT_EQ(sim.control("set W1024 333"), "ok");
    ASSERT_EQ(sim.control("channel 2 40 90"), "ok");
    const CtlProcess::Result up = ctl({"upload-data", "--out", file("line.sdt")});
    ASSERT_TRUE(up.finished);
    EXPECT_EQ(up.exitCode, 0) << up.err.toStdString();
    EXPECT_EQ(up.out + up.err, "");

    ASSERT_EQ(sim.control("set W1024 350"), "ok");
    ASSERT_EQ(sim.control("channel 2 clear"), "ok");
    const CtlProcess::Result refused = ctl({"download-data", file("line.sdt")});
    EXPECT_EQ(refused.exitCode, 64);
    EXPECT_EQ(refused.err, "vorna7ctl: download-data asks before it sends: give --yes when no "
                           "terminal can answer\n");
    EXPECT_EQ(sim.value("W1024"), 350);

    const CtlProcess::Result down = ctl({"download-data", file("line.sdt"), "--yes"});
    EXPECT_EQ(down.exitCode, 0);
    EXPECT_EQ(down.errLines(),
              QStringList{"Data Download: You are about to Download Data to the K6686 |  | These "
                          "values in memory differ from the K6686 (memory / K6686): | Maximum "
                          "Allowed Stopping Response (degrees): 333 / 350 | CH02 Setpoints (ON - "
                          "OFF): 40 - 90 / 0 - 0 |  | Do You Wish to Continue?"});
    EXPECT_EQ(sim.value("W1024"), 333);
    EXPECT_EQ(sim.control("channel 2"), "ok setpoints 40 90");

    ASSERT_EQ(sim.control("fault silence on"), "ok"); // the report never asks the board
    const CtlProcess::Result report = ctl({"report", file("line.sdt"), "--pdf", file("r.pdf")});
    EXPECT_EQ(report.exitCode, 0) << report.err.toStdString();
    QProcess text; // pdftotext comes with scripts/install-deps.sh
    text.start("pdftotext", {"-layout", file("r.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    for (const char* expected : {"VORNA7 Report: [line.sdt] Set-up Parameters",
                                 "2. Maximum Allowed Stopping Response (degrees): 333",
                                 "PLS Configuration & Channel Setpoints", "CH02: 40 - 90",
                                 "Shift Data and Brake Response", "Page 1"})
        EXPECT_TRUE(out.contains(QLatin1String(expected))) << expected << "\n" << out.toStdString();
}

TEST_F(CtlData, FailedUploadExitsWithTwoAndWritesNoFile) {
    ASSERT_EQ(sim.control("fault bad-recall on"), "ok");
    const CtlProcess::Result up = ctl({"upload-data", "--out", file("bad.sdt")});
    EXPECT_EQ(up.exitCode, 2);
    EXPECT_EQ(up.errLines(),
              QStringList{"Process Error: Error Processing Request |  | Process Not Complete"});
    EXPECT_FALSE(QFile::exists(file("bad.sdt")));
}
