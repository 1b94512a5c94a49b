#include "AlarmTables.h"

std::array<QString, AlarmTables::AddressCount> AlarmTables::addresses() {
    return {QStringLiteral("B101"), QStringLiteral("B100.4"), QStringLiteral("F8"),
            QStringLiteral("F4"), QStringLiteral("B111.7")};
}

std::array<QString, AlarmTables::TextCount> AlarmTables::texts() {
    return {
        QStringLiteral(" "),
        QStringLiteral("Cupfeed Motor O'Temp"),
        QStringLiteral("Servo Amplifier Fault"),
        QStringLiteral("Cupfeed Cam Following Fault"),
        QStringLiteral("C1/CRA/CRB/CRC Fault"),
        QStringLiteral("Cupfeed Cam Not in Sync"),
        QStringLiteral("Short Can Alarm\r\n(to PLC)"),
        QStringLiteral("No Servo Fault"),
        QStringLiteral("Short Can Alarm\r\n(from PLC)"),
        QStringLiteral("Die Sensor Fail Alarm"),
        QStringLiteral("Timing Signal Fail Alarm"),
        QStringLiteral("Brake Response Too Long"),
    };
}
