#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <map>

#include "AppContext.h"
#include "BoardRig.h"
#include "CaseName.h"
#include "DataTransfer.h"
#include "DataTransferCommands.h"
#include "QStringPrinter.h"
#include "RSCommTransferLink.h"
#include "TransferLink.h"
#include "frmProcessing.h"

namespace {

// Records each operation as a line; the operation named `failOp` fails, latching CommError
// (a lost link) or just returning its failure (a refusal).
class FakeLink final : public TransferLink {
public:
    QStringList ops;
    std::map<QString, QString> values;     // read answers by address
    std::deque<std::pair<int, int>> steps; // recall state and position, in turn; then cleared
    QString failOp;
    QStringList refused; // more operations that are refused
    bool failureIsLink = false;
    bool online = true;
    bool commError = false;
    std::function<void()> afterOp = [] {};

    bool OnlineMode() const override { return online; }
    bool CommError() const override { return commError; }
    std::optional<QString> RSRead(const QString& a) override {
        return fails("read " + a) ? std::nullopt : std::optional(values[a]);
    }
    bool RSWrite(const QString& a, const QString& v) override { return !fails(a + "=" + v); }
    QVector<int> PLSConfigUpload() override {
        if (fails("config"))
            return {};
        return {8, 3, 10, 11, 12, 13, 14, 15, 16, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    QString PLSScaleFactor() override { return fails("scale") ? "-9999" : "720"; }
    QString PLSOffset() override { return fails("offset") ? "-9999" : "5"; }
    bool RecallChannel(int c) override {
        step_ = steps.empty() ? std::pair{2, 0} : steps.front();
        if (!steps.empty())
            steps.pop_front();
        return !fails(QStringLiteral("recall %1").arg(c));
    }
    int ChannelRecallState() const override { return step_.first; }
    std::int32_t ChannelRecallPos() const override { return step_.second; }
    bool PLSConfigDownload(const QVector<int>& list, int scale) override {
        QString text = QStringLiteral("config");
        for (int v : list)
            text += QStringLiteral(" %1").arg(v);
        return !fails(text + QStringLiteral(" scale %1").arg(scale));
    }
    bool SingleSetpoint(int c, int on, int off, bool clear) override {
        return !fails(
            QStringLiteral("set %1 %2-%3%4").arg(c).arg(on).arg(off).arg(clear ? "!" : ""));
    }
    bool ClearPLSChan(int c) override { return !fails(QStringLiteral("clear %1").arg(c)); }

private:
    bool fails(const QString& op) {
        ops << op;
        afterOp();
        if (!commError && (op == failOp || refused.contains(op)))
            return (commError = failureIsLink && op == failOp), true;
        return commError;
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
            link.steps.insert(link.steps.end(), {{1, 10 * c + 1}, {0, 10 * c + 2}});
        link.steps.insert(link.steps.end(), {{2, 0}, {0, 72}, {1, 71}});
        before = context.CurrentData;
    }
    void run(std::int16_t mode, int cancelAtTurn = -1) {
        context.ProcessMode = mode;
        DataTransfer transfer(context, link);
        int turns = 0;
        transfer.setView({[&] { ++turns == cancelAtTurn ? transfer.cmdCancel_Click() : void(); }});
        transfer.RunProcess();
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    AppContext context{folder.path(), prompter};
    FakeLink link;
    SetupData before;
};

const QStringList UploadReads = {"read W1022",   "read W1024", "read W1030", "read W1032",
                                 "read W1036",   "read W1038", "read W1026", "read W1028",
                                 "read B1020.0", "read D1100", "read W1104", "read D1200",
                                 "read W1204",   "read W1040", "read W1042"};
const QStringList Recalls = {"recall 0", "recall 0", "recall 1", "recall 1", "recall 2",
                             "recall 2", "recall 3", "recall 3", "recall 4", "recall 4",
                             "recall 5", "recall 5", "recall 6", "recall 7", "recall 7"};
const QStringList UploadPLS = QStringList{"config", "scale", "offset"} + Recalls;
const QStringList DownloadWrites = {"W1022= 0",   "W1024= 350", "W1030= 2",
                                    "W1032= 20",  "W1036= 375", "W1038= 250",
                                    "W1026= 175", "W1028= 350", "B1020.0= 1"};
const QString DefaultConfig = "config 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 8 0 0 0 0 0 scale 360";
const QStringList DownloadPLS = {DefaultConfig,    "set 0 150-170!", "set 1 200-220!",
                                 "set 2 155-175!", "set 3 110-130!", "set 4 150-350!",
                                 "set 5 150-200!", "set 6 120-190!", "set 7 180-0!"};

TEST_F(DataTransferTest, UploadReadsParametersThenPLSAndReplacesWhatItRead) {
    run(DataTransfer::UploadMode);
    EXPECT_EQ(link.ops, UploadReads + UploadPLS);
    SetupData expected = before;
    for (int i = 0; i <= 14; ++i)
        expected.ParamValue[std::size_t(i)] = 1000 + i;
    expected.PLSProgram = 3;
    expected.PLSScale = 720;
    expected.ResolverOffset = 5;
    expected.SpeedComp = {10, 11, 12, 13, 14, 15, 16, 17};
    expected.ChanSetpoint = {
        {{1, 2}, {11, 12}, {21, 22}, {31, 32}, {41, 42}, {51, 52}, {0, 0}, {71, 72}}};
    EXPECT_TRUE(context.CurrentData == expected);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(DataTransferTest, DownloadWritesSetupParametersThenPLSClearsEmptyChannelsAndCancels) {
    context.CurrentData.ChanSetpoint[3] = {0, 0};
    context.CurrentData.SpeedComp = {1, 2, 3, 4, 5, 6, 7, 8};
    context.CurrentData.PLSProgram = 9;
    context.CurrentData.ParamValue[0] = -5;
    before = context.CurrentData;
    run(DataTransfer::DownloadMode);
    QStringList expected = DownloadWrites + DownloadPLS;
    expected[0] = "W1022=-5";
    expected[9] = "config 9 1 2 3 4 0 5 6 7 8 0 0 0 0 0 0 0 0 8 0 0 0 0 0 scale 360";
    expected[13] = "clear 3";
    EXPECT_EQ(link.ops, expected);
    EXPECT_TRUE(context.PLSDataChanged);
    EXPECT_TRUE(context.CurrentData == before);
    EXPECT_EQ(prompter.count(), 0);

    // Cancel ends the phase-one steps, but the PLS phase still runs.
    link.ops.clear();
    run(DataTransfer::DownloadMode, 3);
    EXPECT_EQ(link.ops, expected.mid(0, 2) + expected.mid(DownloadWrites.size()));
}

struct FailureCase {
    const char* name;
    std::int16_t mode;
    const char* failOp;
    bool link; // the link is lost (else the operation is refused)
    const char* lastOp;
    bool plsDataChanged;
    // A value the failure must leave as it was in memory (not the link's 0 or -9999).
    std::function<int(const SetupData&)> kept = [](const SetupData& d) { return d.ParamValue[0]; };
};

VORNA7_PRINTS_ROW_NAME(FailureCase)

class TransferFailure : public DataTransferTest,
                        public ::testing::WithParamInterface<FailureCase> {};

TEST_P(TransferFailure, StopsWhereTheRulesSayKeepsOldValuesAndReportsProcessError) {
    const FailureCase& c = GetParam();
    link.failOp = c.failOp;
    link.failureIsLink = c.link;
    run(c.mode);
    EXPECT_EQ(link.ops.last(), QString(c.lastOp));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title + ": " + prompter.last().text,
              "Process Error: Error Processing Request\r\n\r\nProcess Not Complete");
    EXPECT_EQ(context.PLSDataChanged, c.plsDataChanged);
    EXPECT_EQ(c.kept(context.CurrentData), c.kept(before));
}

constexpr auto Up = DataTransfer::UploadMode;
constexpr auto Down = DataTransfer::DownloadMode;
const FailureCase failureCases[] = {
    {"UploadLinkLostAtThirdReadKeepsItsValue", Up, "read W1030", true, "read W1030", false,
     [](const SetupData& d) { return d.ParamValue[2]; }},
    {"UploadReadRefusedKeepsOldValueAndGoesOn", Up, "read W1024", false, "recall 7", false,
     [](const SetupData& d) { return d.ParamValue[1]; }},
    {"UploadScaleLostKeepsTheScale", Up, "scale", true, "scale", false,
     [](const SetupData& d) { return d.PLSScale; }},
    {"UploadRecallRefusedStopsTheChannels", Up, "recall 3", false, "recall 3", false,
     [](const SetupData& d) { return d.ChanSetpoint[4][0]; }},
    {"DownloadLinkLostInPhaseOneSkipsThePLS", Down, "W1032= 20", true, "W1032= 20", false},
    {"DownloadConfigRefusedStillSendsChannels", Down,
     "config 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 8 0 0 0 0 0 scale 360", false, "set 7 180-0!",
     true},
    {"DownloadSetpointRefusedEndsTheChannels", Down, "set 2 155-175!", false, "set 2 155-175!",
     true},
};
INSTANTIATE_TEST_SUITE_P(Phases, TransferFailure, ::testing::ValuesIn(failureCases), CaseName());

class TransferCommandsTest : public DataTransferTest {
protected:
    DataTransferCommands commands{context,
                                  link,
                                  {[this] { link.online = goesOnline, ++onlineRequests; },
                                   [this](DataTransfer& t) { dialog(t); }}};
    bool goesOnline = true;
    int onlineRequests = 0;
    std::function<void(DataTransfer&)> dialog = [](DataTransfer& t) { t.RunProcess(); };
    void answer(std::initializer_list<int> answers) {
        for (int a : answers)
            prompter.answerNext(a);
    }
};

TEST_F(TransferCommandsTest, NoToAQuestionTransfersNothingAndGoingOnlineMustWork) {
    commands.mnuFileUpload_Click();
    EXPECT_EQ(prompter.last().text,
              "You are about to Upload Data from the K6686\r\n\r\nDo You Wish to Continue?");
    link.online = false;
    answer({Prompter::Yes});
    commands.mnuFileUpload_Click();
    EXPECT_EQ(
        prompter.last().text,
        "Program is Currently OFFLINE\r\n\r\nDo You Wish to Switch to ONLINE MODE to Continue?");
    EXPECT_EQ(onlineRequests, 0);
    goesOnline = false;
    answer({Prompter::Yes, Prompter::Yes});
    EXPECT_EQ(commands.mnuFileUpload_Click(), DataTransferCommands::Outcome::Declined);
    EXPECT_EQ(onlineRequests, 1);
    EXPECT_TRUE(link.ops.isEmpty());
    goesOnline = true;
    answer({Prompter::Yes, Prompter::Yes});
    EXPECT_EQ(commands.mnuFileUpload_Click(), DataTransferCommands::Outcome::Completed);
    EXPECT_EQ(link.ops, UploadReads + UploadPLS);
    EXPECT_EQ(context.gUploadNOW, context.NowText());
    EXPECT_TRUE(prompter.last().text.startsWith("These values in memory were changed by the upload "
                                                "(before / after):\r\nDesired BDC Stop Position "
                                                "(Cont./Single): 0 / 1000\r\n"));
}

// The controller is read under the processing dialog before the question; what it does not
// report is named and shown unknown, and the question is still asked. The dialog's Cancel
// while reading sends nothing.
TEST_F(TransferCommandsTest, DownloadComparesWhatItChangesAndNamesWhatCouldNotBeRead) {
    link.refused = QStringList{"read W1024", "recall 0"};
    prompter.answerNext(Prompter::Yes);
    EXPECT_EQ(commands.mnuFileDownload_Click(), DataTransferCommands::Outcome::Completed);
    for (const char* line : {"\r\nMaximum Allowed Stopping Response (degrees): 350 / unknown\r\n",
                             "\r\nPLS Scale Factor: 360 / 720\r\nPLS Program: 0 / 3\r\n",
                             "\r\nCH00 Setpoints (ON - OFF): 150 - 170 / unknown\r\n",
                             "\r\n\r\nThe K6686 could not be read: W1024, channel 0\r\n\r\nDo You "
                             "Wish to Continue?"})
        EXPECT_TRUE(prompter.messages().at(0).text.contains(QLatin1String(line))) << line;
    EXPECT_EQ(link.ops.last(), "set 7 180-0!");
    link.ops.clear();
    dialog = [](DataTransfer& t) { t.setView({[&t] { t.cmdCancel_Click(); }}), t.RunProcess(); };
    EXPECT_EQ(std::pair(commands.mnuFileDownload_Click(), link.ops.size()),
              std::pair(DataTransferCommands::Outcome::Declined, qsizetype(0)));
}

TEST_F(DataTransferTest, ProcessingDialogShowsProgressAndOnTheBoardBothTransfersCarryAll) {
    context.ProcessMode = DataTransfer::UploadMode;
    DataTransfer transfer(context, link);
    frmProcessing dialog(transfer, context.ProcessMode);
    auto* bar = dialog.findChild<QProgressBar*>("prgProcessing");
    auto* status = dialog.findChild<QLabel*>("lblProcessing");
    EXPECT_EQ(status->text(), "Uploading Data from K6686, Please Standby...");
    link.afterOp = [&] {
        link.ops.size() == 4 ? dialog.findChild<QPushButton*>("cmdCancel")->click() : void();
    };
    dialog.exec();
    EXPECT_EQ(link.ops, UploadReads.mid(0, 4) + UploadPLS);
    EXPECT_EQ(std::pair(bar->value(), bar->maximum()), std::pair(4, 15));
    EXPECT_EQ(std::pair(context.CurrentData.ParamValue[4], prompter.count()), std::pair(375, 0));
    EXPECT_EQ(status->text(), "Uploading PLS from K6686, Please Standby...");

    // Both transfers on the in-process board: the bytes of a read, a configuration group and a
    // setpoint record, and what the board held before coming back into it after it changed.
    BoardRig rig;
    rig.board.memory().setWord(1024, 333);
    rig.board.pls().programSetpoints(2, 40, 90);
    rig.board.pls().clearChannel(5);
    rig.board.pls().storeConfigGroup(0, {4, 7, 0, 0, 0, 0});
    const auto config = rig.board.pls().config();
    RSCommTransferLink transferLink(rig.link);
    auto carry = [&](std::int16_t mode) {
        rig.goOnline();
        context.ProcessMode = mode;
        DataTransfer(context, transferLink).RunProcess();
        return QString::fromStdString(rig.wire());
    };
    EXPECT_TRUE(
        carry(Up).startsWith("FF/55 01/55 03/03 FE/00 03/03 FF/00 04/04 00/4D 04/04 01/01"));
    rig.board.memory().setWord(1024, 0);
    rig.board.pls().programSetpoints(5, 1, 2);
    rig.board.pls().clearChannel(2);
    rig.board.pls().storeConfigGroup(0, {});
    const QString down = carry(Down);
    EXPECT_TRUE(down.contains("FF/55 3B/55 04/55 07/55 00/55 00/55 00/55 00/55 38/55 55/00 55/00"));
    EXPECT_TRUE(down.contains("FF/55 1B/55 02/55 28/55 00/55 5A/55 00/55 01/55 38/55 55/00 55/00"));
    EXPECT_EQ(rig.board.memory().word(1024), 333);
    EXPECT_EQ(rig.board.pls().config(), config);
    EXPECT_EQ(rig.board.pls().recall(2), (sim::PLSChannel::RecallStep{1, 40}));
    EXPECT_EQ(rig.board.pls().channel(5).kind(), sim::PLSChannel::Kind::Cleared);
    EXPECT_EQ(rig.prompter.count(), 0);
}

} // namespace
