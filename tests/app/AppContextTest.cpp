#include <gtest/gtest.h>

#include <QDir>

#include "AppContext.h"
#include "ScriptedPrompter.h"
#include "SetupTables.h"

namespace {

struct Row {
    const char* address;
    std::int32_t value;
};

// The parameter table as the controller's documentation lists it.
const Row kTable[32] = {
    {"W1022", 0},   {"W1024", 350}, {"W1030", 2},   {"W1032", 20},   {"W1036", 375}, {"W1038", 250},
    {"W1026", 175}, {"W1028", 350}, {"B1020.0", 1}, {"D1100", 0},    {"W1104", 0},   {"D1200", 0},
    {"W1204", 0},   {"W1040", 0},   {"W1042", 0},   {"W1110", 1950}, {"W1130", 100}, {"W1132", 500},
    {"W1134", 50},  {"W1126", 15},  {"B1128", 0},   {"W1120", 100},  {"W1122", 25},  {"W614", 0},
    {"W610", 0},    {"W612", 0},    {"W82", 0},     {"W1104", 0},    {"W80", 0},     {"W1102", 0},
    {"W1108", 0},   {"W614", 0},
};

class StartedContext : public ::testing::Test {
protected:
    StartedContext() : context(QStringLiteral("/opt/vorna7"), prompter) {
        context.InitAlarmTables();
        context.InitSetupTables();
    }
    ScriptedPrompter prompter;
    AppContext context;
};

TEST_F(StartedContext, DefaultsMatchTheParameterTable) {
    ASSERT_EQ(context.ParamCount, 31);
    const SetupData& d = context.DefaultData;
    ASSERT_EQ(d.ParamAdd.size(), 32u);
    ASSERT_EQ(d.ParamValue.size(), 32u);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(d.ParamAdd[i], QLatin1String(kTable[i].address)) << i;
        EXPECT_EQ(d.ParamValue[i], kTable[i].value) << i;
    }
    EXPECT_EQ(d.ParamAdd[27], d.ParamAdd[10]);
    EXPECT_EQ(d.ParamAdd[31], d.ParamAdd[23]);
}

TEST_F(StartedContext, PLSDefaults) {
    const SetupData& d = context.DefaultData;
    EXPECT_EQ(d.NumPLSChannels, 8);
    EXPECT_EQ(d.PLSScale, 360);
    EXPECT_EQ(d.ResolverOffset, 0);
    EXPECT_EQ(d.PLSProgram, 0);
    for (std::int16_t advance : d.SpeedComp)
        EXPECT_EQ(advance, 0);
    const std::int16_t setpoints[8][2] = {{150, 170}, {200, 220}, {155, 175}, {110, 130},
                                          {150, 350}, {150, 200}, {120, 190}, {180, 0}};
    for (int ch = 0; ch < 8; ++ch) {
        EXPECT_EQ(d.ChanSetpoint[ch][SetupData::OnColumn], setpoints[ch][0]) << ch;
        EXPECT_EQ(d.ChanSetpoint[ch][SetupData::OffColumn], setpoints[ch][1]) << ch;
    }
}

TEST_F(StartedContext, StartsUntitledWithAllCopiesEqual) {
    const QString version = QStringLiteral("VORNA7_R%1.%2.%3")
                                .arg(VORNA7_VERSION_MAJOR)
                                .arg(VORNA7_VERSION_MINOR)
                                .arg(VORNA7_VERSION_PATCH);
    EXPECT_EQ(context.ProgramVersion, version);
    EXPECT_EQ(context.CurrentData.Version, version);
    EXPECT_EQ(context.CurrentData, context.DefaultData);
    EXPECT_EQ(context.SavedData, context.DefaultData);
    EXPECT_TRUE(context.DataUntitled);
    EXPECT_FALSE(context.OfflineEditing);
    EXPECT_FALSE(context.TimingReload);
    EXPECT_FALSE(context.PLSDataChanged);
    EXPECT_EQ(context.ProcessMode, 0);
    EXPECT_EQ(context.ReportMode, 0);
    EXPECT_TRUE(context.SystemMessage.isEmpty());
    EXPECT_EQ(QDir::fromNativeSeparators(context.gFileNamePath),
              QStringLiteral("/opt/vorna7/*.sdt"));
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(StartedContext, CopiesAreDeep) {
    context.CurrentData.ParamValue[1] = 999;
    context.CurrentData.ParamAdd[1] = QStringLiteral("W9");
    context.CurrentData.ChanSetpoint[0][0] = 1;
    EXPECT_EQ(context.SavedData.ParamValue[1], 350);
    EXPECT_EQ(context.DefaultData.ParamValue[1], 350);
    EXPECT_EQ(context.SavedData.ParamAdd[1], QStringLiteral("W1024"));
    EXPECT_EQ(context.DefaultData.ChanSetpoint[0][0], 150);
}

TEST(ProgramVersion, BuiltFromTheVersionNumbers) {
    EXPECT_EQ(SetupTables::programVersion(1, 0, 5), QStringLiteral("VORNA7_R1.0.5"));
    EXPECT_EQ(SetupTables::programVersion(12, 3, 40), QStringLiteral("VORNA7_R12.3.40"));
}

TEST_F(StartedContext, AlarmTables) {
    const char* addresses[5] = {"B101", "B100.4", "F8", "F4", "B111.7"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(context.AlarmAdd[i], QLatin1String(addresses[i])) << i;
    const char* texts[12] = {" ",
                             "Cupfeed Motor O'Temp",
                             "Servo Amplifier Fault",
                             "Cupfeed Cam Following Fault",
                             "C1/CRA/CRB/CRC Fault",
                             "Cupfeed Cam Not in Sync",
                             "Short Can Alarm\r\n(to PLC)",
                             "No Servo Fault",
                             "Short Can Alarm\r\n(from PLC)",
                             "Die Sensor Fail Alarm",
                             "Timing Signal Fail Alarm",
                             "Brake Response Too Long"};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(context.AlarmText[i], QLatin1String(texts[i])) << i;
}

TEST(SetupData, ResizeKeepsWhatFitsAndPadsTheRest) {
    SetupData data;
    data.ParamAdd = {QStringLiteral("W1"), QStringLiteral("W2")};
    data.ParamValue = {7, 8, 9};
    data.resizeTables(3);
    EXPECT_EQ(data.ParamAdd,
              (std::vector<QString>{QStringLiteral("W1"), QStringLiteral("W2"), {}, {}}));
    EXPECT_EQ(data.ParamValue, (std::vector<std::int32_t>{7, 8, 9, 0}));
    data.resizeTables(0);
    EXPECT_EQ(data.ParamAdd.size(), 1u);
    EXPECT_EQ(data.ParamValue, (std::vector<std::int32_t>{7}));
    EXPECT_EQ(data.valueAt(0), 7);
    EXPECT_EQ(data.valueAt(5), 0);
    EXPECT_EQ(data.valueAt(-1), 0);
}

} // namespace
