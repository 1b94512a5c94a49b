#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

#include "AppContext.h"
#include "Board.h"
#include "BoardSerialPort.h"
#include "DataTransfer.h"
#include "DataTransferCommands.h"
#include "RSComm.h"
#include "RSCommTransferLink.h"
#include "ScriptedPrompter.h"
#include "SetupTables.h"
#include "TransferLink.h"
#include "VirtualClock.h"
#include "frmProcessing.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Records each operation as a short line; one chosen operation fails, latching CommError
// (a lost link) or returning its failure (a refusal).
class FakeLink final : public TransferLink {
public:
    enum class Failure { None, Link, Refusal };
    QStringList ops;
    std::map<QString, QString> values;       // by address; others read as their index
    std::vector<std::pair<int, int>> recall; // state, position of successive recalls
    QString failOp;
    Failure failure = Failure::None;
    bool online = true;
    bool commError = false;
    std::function<void()> afterOp = [] {};

    bool OnlineMode() const override { return online; }
    bool CommError() const override { return commError; }
    std::optional<QString> RSRead(const QString& a) override {
        return fails("read " + a) ? std::nullopt : std::optional(values[a]);
    }
    bool RSWrite(const QString& a, const QString& v) override {
        return !fails(QStringLiteral("write %1=%2").arg(a, v));
    }
    QVector<int> PLSConfigUpload() override {
        fails("config");
        return {8, 3, 10, 11, 12, 13, 14, 15, 16, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    QString PLSScaleFactor() override { return fails("scale") ? "-9999" : "720"; }
    QString PLSOffset() override { return fails("offset") ? "-9999" : "5"; }
    bool RecallChannel(int c) override {
        if (fails(QStringLiteral("recall %1").arg(c)))
            return false;
        step_ = recall.empty() ? std::pair{2, 0} : recall.front();
        if (!recall.empty())
            recall.erase(recall.begin());
        return true;
    }
    int ChannelRecallState() const override { return step_.first; }
    std::int32_t ChannelRecallPos() const override { return step_.second; }
    bool PLSConfigDownload(const QVector<int>& list, int scale) override {
        QStringList text;
        for (int v : list)
            text << QString::number(v);
        return !fails(
            QStringLiteral("config %1 scale %2").arg(text.join(','), QString::number(scale)));
    }
    bool SingleSetpoint(int c, int on, int off, bool clear) override {
        return !fails(
            QStringLiteral("set %1 %2-%3%4").arg(c).arg(on).arg(off).arg(clear ? " clear" : ""));
    }
    bool ClearPLSChan(int c) override { return !fails(QStringLiteral("clear %1").arg(c)); }

private:
    bool fails(const QString& op) {
        ops << op;
        afterOp();
        if (commError || op != failOp || failure == Failure::None)
            return commError;
        commError = failure == Failure::Link;
        return true;
    }
    std::pair<int, int> step_{2, 0};
};

class DataTransferTest : public ::testing::Test {
protected:
    DataTransferTest() {
        context.InitSetupTables();
        for (int i = 0; i <= 14; ++i)
            link.values[context.CurrentData.ParamAdd[std::size_t(i)]] = QString::number(1000 + i);
        // ON then OFF for channels 0-5, a cleared channel 6, OFF then ON for channel 7.
        for (int c = 0; c < 6; ++c)
            link.recall.insert(link.recall.end(), {{1, 10 * c + 1}, {0, 10 * c + 2}});
        link.recall.insert(link.recall.end(), {{2, 0}, {0, 72}, {1, 71}});
        before = context.CurrentData;
    }
    void run(std::int16_t mode) {
        context.ProcessMode = mode;
        DataTransfer transfer(context, link);
        transfer.setView({[&] {
                              if (++turns == cancelAtTurn)
                                  transfer.cmdCancel_Click();
                          },
                          [&](const QString& s) { statuses << s; }, [&](int v) { progress = v; }});
        transfer.RunProcess();
    }
    QStringList opsFrom(const QString& first) const {
        return link.ops.mid(link.ops.indexOf(first));
    }
    bool processErrorShown() const {
        return prompter.count() == 1 && prompter.last().title == "Process Error" &&
               prompter.last().text == "Error Processing Request\r\n\r\nProcess Not Complete";
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    AppContext context{folder.path(), prompter};
    FakeLink link;
    SetupData before;
    QStringList statuses;
    int progress = 0;
    int turns = 0;
    int cancelAtTurn = -1;
};

const QStringList UploadReads = {"read W1022",   "read W1024", "read W1030", "read W1032",
                                 "read W1036",   "read W1038", "read W1026", "read W1028",
                                 "read B1020.0", "read D1100", "read W1104", "read D1200",
                                 "read W1204",   "read W1040", "read W1042"};
const QStringList UploadPLS = {"config",   "scale",    "offset",   "recall 0", "recall 0",
                               "recall 1", "recall 1", "recall 2", "recall 2", "recall 3",
                               "recall 3", "recall 4", "recall 4", "recall 5", "recall 5",
                               "recall 6", "recall 7", "recall 7"};
const QStringList DownloadWrites = {"write W1022= 0",   "write W1024= 350", "write W1030= 2",
                                    "write W1032= 20",  "write W1036= 375", "write W1038= 250",
                                    "write W1026= 175", "write W1028= 350", "write B1020.0= 1"};
const QStringList DownloadPLS = {"config 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,8,0,0,0,0,0 scale 360",
                                 "set 0 150-170 clear",
                                 "set 1 200-220 clear",
                                 "set 2 155-175 clear",
                                 "set 3 110-130 clear",
                                 "set 4 150-350 clear",
                                 "set 5 150-200 clear",
                                 "set 6 120-190 clear",
                                 "set 7 180-0 clear"};

TEST_F(DataTransferTest, UploadReadsParametersThenPLSAndReplacesWhatItRead) {
    run(DataTransfer::UploadMode);
    EXPECT_EQ(link.ops, UploadReads + UploadPLS);
    EXPECT_EQ(statuses, QStringList{"Uploading PLS from K6686, Please Standby..."});
    EXPECT_EQ(progress, 15);
    const SetupData& d = context.CurrentData;
    for (int i = 0; i <= 14; ++i)
        EXPECT_EQ(d.ParamValue[std::size_t(i)], 1000 + i) << i;
    EXPECT_TRUE(
        std::equal(d.ParamValue.begin() + 15, d.ParamValue.end(), before.ParamValue.begin() + 15));
    EXPECT_EQ(d.ParamAdd, before.ParamAdd);
    EXPECT_EQ(std::tuple(d.NumPLSChannels, d.PLSProgram, d.PLSScale, d.ResolverOffset),
              std::tuple(8, 3, 720, 5));
    EXPECT_EQ(d.SpeedComp, (std::array<std::int16_t, 8>{10, 11, 12, 13, 14, 15, 16, 17}));
    EXPECT_EQ(d.ChanSetpoint[5], (std::array<std::int16_t, 2>{51, 52}));
    EXPECT_EQ(d.ChanSetpoint[6], (std::array<std::int16_t, 2>{0, 0}));
    EXPECT_EQ(d.ChanSetpoint[7], (std::array<std::int16_t, 2>{71, 72}));
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(DataTransferTest, DownloadWritesSetupParametersThenPLSAndClearsEmptyChannels) {
    context.CurrentData.ChanSetpoint[3] = {0, 0};
    context.CurrentData.SpeedComp = {1, 2, 3, 4, 5, 6, 7, 8};
    context.CurrentData.PLSProgram = 9;
    context.CurrentData.ParamValue[0] = -5;
    before = context.CurrentData;
    run(DataTransfer::DownloadMode);
    QStringList expected = DownloadWrites + DownloadPLS;
    expected[0] = "write W1022=-5";
    expected[9] = "config 9,1,2,3,4,0,5,6,7,8,0,0,0,0,0,0,0,0,8,0,0,0,0,0 scale 360";
    expected[13] = "clear 3";
    EXPECT_EQ(link.ops, expected);
    EXPECT_EQ(progress, 9);
    EXPECT_TRUE(context.PLSDataChanged);
    EXPECT_EQ(context.CurrentData, before);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(DataTransferTest, CancelEndsThePhaseOneStepsButThePLSPhaseStillRuns) {
    cancelAtTurn = 3;
    run(DataTransfer::UploadMode);
    EXPECT_EQ(link.ops, UploadReads.mid(0, 2) + UploadPLS);
    EXPECT_EQ(context.CurrentData.ParamValue[2], before.ParamValue[2]);
    EXPECT_EQ(prompter.count(), 0);
    link.ops.clear();
    context.CurrentData = before;
    turns = 0;
    run(DataTransfer::DownloadMode);
    EXPECT_EQ(link.ops, DownloadWrites.mid(0, 2) + DownloadPLS);
}

struct FailureCase {
    const char* name;
    std::int16_t mode;
    const char* failOp;
    FakeLink::Failure failure;
    const char* lastOp; // the last operation made
    std::function<void(const SetupData& now, const SetupData& before)> check;
};

class TransferFailure : public DataTransferTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TransferFailure, StopsWhereTheRulesSayKeepsOldValuesAndReportsProcessError) {
    const FailureCase& c = GetParam();
    link.failOp = c.failOp;
    link.failure = c.failure;
    run(c.mode);
    EXPECT_EQ(link.ops.last(), QString(c.lastOp));
    EXPECT_TRUE(processErrorShown());
    c.check(context.CurrentData, before);
}

using F = FakeLink::Failure;
const FailureCase failureCases[] = {
    {"UploadLinkLostAtThirdRead", DataTransfer::UploadMode, "read W1030", F::Link, "read W1030",
     [](const SetupData& now, const SetupData& was) {
         EXPECT_EQ(now.ParamValue[1], 1001);
         EXPECT_EQ(now.ParamValue[2], was.ParamValue[2]); // not the link's 0
         EXPECT_EQ(now.ChanSetpoint, was.ChanSetpoint);
     }},
    {"UploadReadRefusedKeepsOldValueAndGoesOn", DataTransfer::UploadMode, "read W1024", F::Refusal,
     "recall 7",
     [](const SetupData& now, const SetupData& was) {
         EXPECT_EQ(now.ParamValue[1], was.ParamValue[1]);
         EXPECT_EQ(now.ParamValue[14], 1014);
     }},
    {"UploadScaleLostKeepsScaleAndOffset", DataTransfer::UploadMode, "scale", F::Link, "scale",
     [](const SetupData& now, const SetupData& was) {
         EXPECT_EQ(now.PLSScale, was.PLSScale); // not -9999
         EXPECT_EQ(now.NumPLSChannels, 8);
         EXPECT_EQ(now.ResolverOffset, was.ResolverOffset);
     }},
    {"UploadRecallRefusedStopsTheChannels", DataTransfer::UploadMode, "recall 3", F::Refusal,
     "recall 3",
     [](const SetupData& now, const SetupData& was) {
         EXPECT_EQ(now.ChanSetpoint[2], (std::array<std::int16_t, 2>{21, 22}));
         EXPECT_EQ(now.ChanSetpoint[4], was.ChanSetpoint[4]);
     }},
    {"DownloadWriteRefusedGoesOn", DataTransfer::DownloadMode, "write W1030= 2", F::Refusal,
     "set 7 180-0 clear", [](const SetupData&, const SetupData&) {}},
    {"DownloadLinkLostInPhaseOneSkipsThePLS", DataTransfer::DownloadMode, "write W1032= 20",
     F::Link, "write W1032= 20", [](const SetupData&, const SetupData&) {}},
    {"DownloadConfigRefusedStillSendsChannels", DataTransfer::DownloadMode,
     "config 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,8,0,0,0,0,0 scale 360", F::Refusal,
     "set 7 180-0 clear", [](const SetupData&, const SetupData&) {}},
    {"DownloadSetpointRefusedEndsTheChannels", DataTransfer::DownloadMode, "set 2 155-175 clear",
     F::Refusal, "set 2 155-175 clear", [](const SetupData&, const SetupData&) {}},
};
INSTANTIATE_TEST_SUITE_P(Phases, TransferFailure, ::testing::ValuesIn(failureCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataTransferTest, PLSDataChangedOnlyWhenTheDownloadReachedThePLSPhase) {
    link.failOp = "write W1022= 0";
    link.failure = F::Link;
    run(DataTransfer::DownloadMode);
    EXPECT_FALSE(context.PLSDataChanged);
}

class TransferCommandsTest : public DataTransferTest {
protected:
    DataTransferCommands commands{context,
                                  link,
                                  {[this] {
                                       link.online = goesOnline;
                                       ++onlineRequests;
                                   },
                                   [this](DataTransfer& t) { t.RunProcess(); }}};
    bool goesOnline = true;
    int onlineRequests = 0;
    QStringList titles() const {
        QStringList out;
        for (const auto& m : prompter.messages())
            out << m.title;
        return out;
    }
};

TEST_F(TransferCommandsTest, NoToAQuestionTransfersNothing) {
    commands.mnuFileUpload_Click();
    EXPECT_EQ(prompter.last().text,
              "You are about to Upload Data from the K6686\r\n\r\nDo You Wish to Continue?");
    link.online = false;
    prompter.answerNext(Prompter::Yes);
    commands.mnuFileUpload_Click();
    EXPECT_EQ(
        prompter.last().text,
        "Program is Currently OFFLINE\r\n\r\nDo You Wish to Switch to ONLINE MODE to Continue?");
    commands.mnuFileDownload_Click();
    EXPECT_EQ(titles(),
              (QStringList{"Data Upload", "Data Upload", "Program Offline", "Program Offline"}));
    EXPECT_TRUE(link.ops.isEmpty());
    EXPECT_EQ(onlineRequests, 0);
}

TEST_F(TransferCommandsTest, YesToGoOnlineContinuesOnlyWhenTheLinkCameUp) {
    link.online = false;
    goesOnline = false;
    prompter.answerNext(Prompter::Yes);
    prompter.answerNext(Prompter::Yes);
    commands.mnuFileUpload_Click();
    EXPECT_EQ(onlineRequests, 1);
    EXPECT_TRUE(link.ops.isEmpty());
    goesOnline = true;
    prompter.answerNext(Prompter::Yes);
    prompter.answerNext(Prompter::Yes);
    commands.mnuFileUpload_Click();
    EXPECT_EQ(link.ops, UploadReads + UploadPLS);
    EXPECT_EQ(context.gUploadNOW, context.NowText());
}

TEST_F(TransferCommandsTest, UploadListsWhatChanged) {
    for (int i = 0; i <= 14; ++i)
        link.values[context.CurrentData.ParamAdd[std::size_t(i)]] =
            QString::number(before.ParamValue[std::size_t(i)]);
    link.values["W1024"] = "360";
    link.recall = {{1, 150}, {0, 170}, {1, 200}, {0, 221}};
    prompter.answerNext(Prompter::Yes);
    commands.mnuFileUpload_Click();
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.last().text,
              "These values in memory were changed by the upload (before / after):\r\n"
              "Maximum Allowed Stopping Response (degrees): 350 / 360\r\n"
              "PLS Scale Factor: 360 / 720\r\nResolver Offset: 0 / 5\r\nPLS Program: 0 / 3\r\n"
              "CH00 Speed Compensation (msec): 0 / 10\r\nCH01 Speed Compensation (msec): 0 / 11\r\n"
              "CH02 Speed Compensation (msec): 0 / 12\r\nCH03 Speed Compensation (msec): 0 / 13\r\n"
              "CH04 Speed Compensation (msec): 0 / 14\r\nCH05 Speed Compensation (msec): 0 / 15\r\n"
              "CH06 Speed Compensation (msec): 0 / 16\r\nCH07 Speed Compensation (msec): 0 / 17\r\n"
              "CH01 Setpoints (ON - OFF): 200 - 220 / 200 - 221\r\nCH02 Setpoints (ON - OFF): 155 "
              "- 175 / 0 - 0\r\n"
              "CH03 Setpoints (ON - OFF): 110 - 130 / 0 - 0\r\nCH04 Setpoints (ON - OFF): 150 - "
              "350 / 0 - 0\r\n"
              "CH05 Setpoints (ON - OFF): 150 - 200 / 0 - 0\r\nCH06 Setpoints (ON - OFF): 120 - "
              "190 / 0 - 0\r\n"
              "CH07 Setpoints (ON - OFF): 180 - 0 / 0 - 0\r\n");
}

TEST_F(TransferCommandsTest, DownloadQuestionShowsWhatWouldBeOverwrittenReadFirst) {
    for (int i = 0; i <= 8; ++i)
        link.values[context.CurrentData.ParamAdd[std::size_t(i)]] =
            QString::number(before.ParamValue[std::size_t(i)]);
    link.values["W1036"] = "300";
    link.recall = {{1, 150}, {0, 170}, {0, 220}, {1, 199}};
    commands.mnuFileDownload_Click();
    EXPECT_EQ(link.ops, (UploadReads.mid(0, 9) +
                         QStringList{"recall 0", "recall 0", "recall 1", "recall 1", "recall 2",
                                     "recall 3", "recall 4", "recall 5", "recall 6", "recall 7"}));
    EXPECT_EQ(prompter.last().text,
              "You are about to Download Data to the K6686\r\n\r\n"
              "These values in memory differ from the K6686 (memory / K6686):\r\n"
              "Trimmer Speed Reference, Maximum Speed (spm): 375 / 300\r\n"
              "CH01 Setpoints (ON - OFF): 200 - 220 / 199 - 220\r\n"
              "CH02 Setpoints (ON - OFF): 155 - 175 / 0 - 0\r\nCH03 Setpoints (ON - OFF): 110 - "
              "130 / 0 - 0\r\n"
              "CH04 Setpoints (ON - OFF): 150 - 350 / 0 - 0\r\nCH05 Setpoints (ON - OFF): 150 - "
              "200 / 0 - 0\r\n"
              "CH06 Setpoints (ON - OFF): 120 - 190 / 0 - 0\r\nCH07 Setpoints (ON - OFF): 180 - 0 "
              "/ 0 - 0\r\n"
              "\r\nDo You Wish to Continue?");
    EXPECT_EQ(context.CurrentData, before); // the comparison never touches memory
}

TEST_F(TransferCommandsTest, DownloadThatCannotReadFirstSendsNothing) {
    link.failOp = "recall 4";
    link.failure = F::Refusal;
    commands.mnuFileDownload_Click();
    EXPECT_EQ(link.ops.last(), "recall 4");
    EXPECT_EQ(titles(), QStringList{"Process Error"});
}

// The dialog over the transfer: what it shows at load, its Cancel, and that it closes itself.
TEST_F(DataTransferTest, ProcessingDialogRunsTheTransferAndItsCancelStopsPhaseOne) {
    context.ProcessMode = DataTransfer::UploadMode;
    DataTransfer transfer(context, link);
    frmProcessing dialog(transfer, context.ProcessMode);
    auto* bar = dialog.findChild<QProgressBar*>("prgProcessing");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 15);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblProcessing")->text(),
              "Uploading Data from K6686, Please Standby...");
    link.afterOp = [&] {
        if (link.ops.size() == 4)
            dialog.findChild<QPushButton*>("cmdCancel")->click();
    };
    dialog.exec();
    EXPECT_EQ(link.ops, UploadReads.mid(0, 4) + UploadPLS);
    EXPECT_EQ(bar->value(), 4);
    EXPECT_EQ(dialog.findChild<QLabel*>("lblProcessing")->text(),
              "Uploading PLS from K6686, Please Standby...");
}

// The whole of both transfers on the in-process board: what one board holds arrives in
// memory, and from memory in a second board, byte for byte through the link.
TEST(DataTransferOnBoard, UploadFromOneBoardDownloadToAnotherCarriesEverything) {
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    AppContext context{folder.path(), prompter};
    context.InitSetupTables();
    sim::Board source;
    source.machine().setSpeed(0);
    source.memory().setWord(1024, 333);
    source.memory().setByte(1020, 0);
    source.pls().programSetpoints(2, 40, 90);
    source.pls().clearChannel(5);
    source.pls().storeConfigGroup(0, {4, 7, 0, 0, 0, 0});
    source.pls().storeConfigGroup(3, {8, 0, 0, 0, 0, 0});
    auto transfer = [&](sim::Board& board, std::int16_t mode) {
        BoardSerialPort port(board, clock);
        RSComm rs(folder.path(), clock, prompter);
        rs.OpenRSComm(port);
        port.clearWire();
        RSCommTransferLink link(rs);
        context.ProcessMode = mode;
        DataTransfer(context, link).RunProcess();
        return port.wire().text();
    };
    const std::string up = transfer(source, DataTransfer::UploadMode);
    EXPECT_EQ(up.substr(0, 59), "FF/55 01/55 03/03 FE/00 03/03 FF/00 04/04 00/4D 04/04 01/01");
    EXPECT_EQ(context.CurrentData.ParamValue[1], 333);
    EXPECT_EQ(context.CurrentData.ParamValue[8], 0);
    EXPECT_EQ(context.CurrentData.PLSProgram, 4);
    EXPECT_EQ(context.CurrentData.SpeedComp[0], 7);
    EXPECT_EQ(context.CurrentData.ChanSetpoint[2], (std::array<std::int16_t, 2>{40, 90}));
    EXPECT_EQ(context.CurrentData.ChanSetpoint[5], (std::array<std::int16_t, 2>{0, 0}));

    sim::Board target;
    target.machine().setSpeed(0);
    const std::string down = transfer(target, DataTransfer::DownloadMode);
    EXPECT_NE(down.find("FF/55 3B/55 04/55 07/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00"),
              std::string::npos);
    EXPECT_NE(down.find("FF/55 1B/55 02/55 28/55 00/55 5A/55 00/55 01/55 38/55 55/00 55/00"),
              std::string::npos);
    EXPECT_EQ(target.memory().word(1024), 333);
    EXPECT_EQ(target.memory().byte(1020) & 1, 0);
    EXPECT_EQ(target.pls().config(), source.pls().config());
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(target.pls().channel(c).kind(), source.pls().channel(c).kind()) << c;
        EXPECT_EQ(target.pls().channel(c).onSetpoint(), source.pls().channel(c).onSetpoint()) << c;
    }
    EXPECT_EQ(prompter.count(), 0);
}

} // namespace
