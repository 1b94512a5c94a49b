#include <gtest/gtest.h>

#include <QDir>

#include "AppContext.h"
#include "ScriptedPrompter.h"
#include "SetupTables.h"
#include "Vorna7Version.h"

namespace {

class StartedContext : public ::testing::Test {
protected:
    StartedContext() : context(QStringLiteral("/opt/vorna7"), prompter) {
        context.InitAlarmTables();
        context.InitSetupTables();
    }
    ScriptedPrompter prompter;
    AppContext context;
};

// The table values themselves are checked through the golden file image (SdtFileTest).
TEST_F(StartedContext, StartsUntitledWithAllCopiesEqual) {
    EXPECT_EQ(context.ParamCount, 31);
    EXPECT_EQ(context.DefaultData.ParamAdd[27], context.DefaultData.ParamAdd[10]);
    EXPECT_EQ(context.DefaultData.ParamAdd[31], context.DefaultData.ParamAdd[23]);
    const QString version = QStringLiteral("VORNA7_R%1.%2.%3")
                                .arg(VORNA7_VERSION_MAJOR)
                                .arg(VORNA7_VERSION_MINOR)
                                .arg(VORNA7_VERSION_PATCH);
    EXPECT_EQ(context.ProgramVersion, version);
    EXPECT_EQ(context.CurrentData.Version, version);
    EXPECT_EQ(context.CurrentData, context.DefaultData);
    EXPECT_EQ(context.SavedData, context.DefaultData);
    EXPECT_TRUE(context.DataUntitled);
    EXPECT_EQ(QDir::fromNativeSeparators(context.gFileNamePath),
              QStringLiteral("/opt/vorna7/*.sdt"));
    EXPECT_EQ(prompter.count(), 0);
}

TEST(ProgramVersion, BuiltFromTheVersionNumbers) {
    EXPECT_EQ(SetupTables::programVersion(1, 0, 5), QStringLiteral("VORNA7_R1.0.5"));
    EXPECT_EQ(SetupTables::programVersion(12, 3, 40), QStringLiteral("VORNA7_R12.3.40"));
}

TEST_F(StartedContext, AlarmTables) {
    EXPECT_EQ(QStringList(context.AlarmAdd.begin(), context.AlarmAdd.end()),
              QStringList({"B101", "B100.4", "F8", "F4", "B111.7"}));
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

} // namespace
