#include "SetupTables.h"

#include "Vorna7Version.h"

const std::array<SetupTables::Parameter, SetupTables::ParamCount + 1>& SetupTables::parameters() {
    // 0-8 set-up parameters, 9-14 shift data and brake response, 15-31 the servo board.
    // Index 27 repeats the address text of 10 and 31 that of 23: they live on the other board.
    static const std::array<Parameter, ParamCount + 1> table{{
        {"W1022", 0},    {"W1024", 350}, {"W1030", 2},   {"W1032", 20},  {"W1036", 375},
        {"W1038", 250},  {"W1026", 175}, {"W1028", 350}, {"B1020.0", 1}, {"D1100", 0},
        {"W1104", 0},    {"D1200", 0},   {"W1204", 0},   {"W1040", 0},   {"W1042", 0},
        {"W1110", 1950}, {"W1130", 100}, {"W1132", 500}, {"W1134", 50},  {"W1126", 15},
        {"B1128", 0},    {"W1120", 100}, {"W1122", 25},  {"W614", 0},    {"W610", 0},
        {"W612", 0},     {"W82", 0},     {"W1104", 0},   {"W80", 0},     {"W1102", 0},
        {"W1108", 0},    {"W614", 0},
    }};
    return table;
}

QString SetupTables::programVersion(int major, int minor, int revision) {
    return QStringLiteral("VORNA7_R%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString SetupTables::programVersion() {
    return programVersion(VORNA7_VERSION_MAJOR, VORNA7_VERSION_MINOR, VORNA7_VERSION_PATCH);
}

SetupData SetupTables::defaultData(const QString& version) {
    SetupData data;
    data.resizeTables(ParamCount);
    data.Version = version;
    const auto& table = parameters();
    for (std::size_t i = 0; i < table.size(); ++i) {
        data.ParamAdd[i] = QString::fromLatin1(table[i].address);
        data.ParamValue[i] = table[i].defaultValue;
    }
    fillPLSDefaults(data);
    return data;
}

void SetupTables::fillPLSDefaults(SetupData& data) {
    data.NumPLSChannels = 8;
    data.PLSScale = 360;
    data.ResolverOffset = 0;
    data.PLSProgram = 0;
    data.SpeedComp.fill(0);
    data.ChanSetpoint = {{
        {150, 170},
        {200, 220},
        {155, 175},
        {110, 130},
        {150, 350},
        {150, 200},
        {120, 190},
        {180, 0},
    }};
}
