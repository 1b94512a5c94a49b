#include <QCheckBox>

#include "ControlCommand.h"
#include "MachineWindowRig.h"
#include "UpDown.h"
#include "frmBMData.h"
#include "frmBMIO.h"
#include "frmBMSetup.h"
#include "frmBMTmg.h"

// Each window's addresses and ranges, row by row as the operator's documentation lists them.
// Every address gets its own value on the board, so a row reading a neighbour's shows it.
namespace {

struct Row {
    const char* address;
    int value;
    const char* shown;
};

template <typename Window> class WindowTable : public MachineWindowRig<Window> {
protected:
    template <std::size_t N> void showOnline(const Row (&rows)[N]) {
        this->board.machine().setSpeed(0);
        for (const Row& row : rows)
            EXPECT_EQ(sim::ControlCommand::apply(this->board, std::string("set ") + row.address +
                                                                  " " + std::to_string(row.value)),
                      "ok")
                << row.address;
        this->goOnline();
        this->load();
        this->runPasses(1);
    }
    template <std::size_t N> void expectShown(const char* label, const Row (&rows)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            EXPECT_EQ(this->text(at(label, static_cast<int>(i))), QString::fromUtf8(rows[i].shown))
                << rows[i].address;
    }
    void expectRange(const QString& upDown, int max) {
        auto* stepper = this->template find<UpDown>(upDown);
        EXPECT_EQ(std::pair(stepper->minimum(), stepper->maximum()), std::pair(0, max))
            << upDown.toStdString();
    }
};

using SetupTable = WindowTable<frmBMSetup>;
using TimingTable = WindowTable<frmBMTmg>;
using ShiftDataTable = WindowTable<frmBMData>;
using IOTable = WindowTable<frmBMIO>;

TEST_F(SetupTable, AddressesAndRanges) {
    const Row rows[] = {{"W1022", 11, "11"}, {"W1024", 12, "12"}, {"W1030", 13, "13"},
                        {"W1032", 14, "14"}, {"W1036", 15, "15"}, {"W1038", 16, "16"},
                        {"W1026", 17, "17"}, {"W1028", 18, "18"}};
    const int max[] = {359, 999, 99, 99, 999, 999, 899, 999};
    EXPECT_EQ(sim::ControlCommand::apply(board, "set B1020 254"), "ok"); // all but bit 0
    showOnline(rows);
    expectShown("txtBMSetup", rows);
    for (int i = 0; i < 8; ++i)
        expectRange(at("updBMSetup", i), max[i]);
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("chkBMSetup"))->isChecked()) << "B1020.0";
}

TEST_F(TimingTable, Ranges) {
    load();
    expectRange(at("updTmg", 0), 359);
    expectRange(at("updTmg", 1), 7);
    for (int i = 0; i < 16; ++i)
        expectRange(at("updChannel", i), 359);
}

TEST_F(ShiftDataTable, Addresses) {
    context.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    const Row rows[] = {{"D1100", 70001, "70,001"}, {"W1104", 2, "2"},  {"D1200", 70003, "70,003"},
                        {"W1204", 4, "4"},          {"W1040", 5, "5°"}, {"W1042", 6, "6°"}};
    showOnline(rows);
    expectShown("lblBMData", rows);
}

TEST_F(IOTable, AddressesAndHoverTexts) {
    // At a standstill the machine holds F80 and the period W184 at 0.
    const Row rows[] = {{"F80", 0, "off"}, {"F81", 1, "ON"},   {"W162", 3, "3"},  {"W164", 4, "4"},
                        {"B166", 5, "5"},  {"B167", 6, "6"},   {"W180", 7, "7"},  {"W182", 0, "0"},
                        {"W184", 0, "0"},  {"W186", 10, "10"}, {"W188", 11, "11"}};
    showOnline(rows);
    expectShown("lblk6686State", rows);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(find<QLabel>(at("lblk6686State", i))->toolTip(), QLatin1String(rows[i].address));
}

} // namespace
