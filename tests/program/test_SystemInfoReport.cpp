#include "ProgramTestFolder.h"
#include "QtSerialPort.h"
#include "SystemInfoReport.h"

namespace {

class SystemInfoReportTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QList<SerialPortCatalog::Device> devices;

    SystemInfoReport report() {
        return SystemInfoReport(folder.path(), [this] { return devices; });
    }
    SystemInfoReport::Section section(const QString& heading) {
        for (const SystemInfoReport::Section& s : report().sections()) {
            if (s.heading == heading)
                return s;
        }
        ADD_FAILURE() << "no section " << heading.toStdString();
        return {};
    }
    QString path(const QString& relative) const { return folder.filePath(relative); }
    void settings(const QByteArray& content) {
        ProgramTestFolder::writeFile(path(QStringLiteral("Support/RSPort.cfg")), content);
    }
};

} // namespace

TEST_F(SystemInfoReportTest, TheSettingsFileItsContentsAndTheDeviceItsPortOpens) {
    const QString file = path(QStringLiteral("Support/RSPort.cfg"));
    struct Case {
        const char* name;
        std::function<void()> prepare;
        QStringList lines; // after "Settings file: ..."
    } cases[] = {
        {"missing",
         [] {},
         {QStringLiteral(
              "The file does not exist yet; going online creates it with port 1 at 9600 baud."),
          QStringLiteral("In use: port 1 at 9600 baud (9600,n,8,1)"),
          QStringLiteral("Port 1 opens %1, not present").arg(QtSerialPort::platformPortName(1))}},
        {"empty",
         [this] { settings(""); },
         {QStringLiteral("Contents:"), QStringLiteral("    (empty)"),
          QStringLiteral("In use: port 1 at 9600 baud (9600,n,8,1)"),
          QStringLiteral("Port 1 opens %1, not present").arg(QtSerialPort::platformPortName(1))}},
        {"clamped",
         [this] { settings("120,4800\r\n"); },
         {QStringLiteral("Contents:"), QStringLiteral("    120,4800"),
          QStringLiteral("In use: port 99 at 9600 baud (9600,n,8,1)"),
          QStringLiteral("Port 99 opens %1, not present").arg(QtSerialPort::platformPortName(99))}},
        {"aliased",
         [this] {
             settings("3,19200\r\n");
             ProgramTestFolder::writeFile(path(QStringLiteral("tty-adapter")), "");
             QFile::link(path(QStringLiteral("tty-adapter")), path(QStringLiteral("Support/COM3")));
         },
         {QStringLiteral("Contents:"), QStringLiteral("    3,19200"),
          QStringLiteral("In use: port 3 at 19200 baud (19200,n,8,1)"),
          QStringLiteral("Port 3 opens %1 -> %2, present")
              .arg(path(QStringLiteral("Support/COM3")), path(QStringLiteral("tty-adapter")))}},
        {"unreadable",
         [this] { QDir(folder.path()).mkpath(QStringLiteral("Support/RSPort.cfg")); },
         {}},
    };
    for (const Case& c : cases) {
        QDir(path(QStringLiteral("Support"))).removeRecursively();
        c.prepare();
        const SystemInfoReport::Section s = section(QStringLiteral("Port Settings"));
        ASSERT_FALSE(s.lines.isEmpty()) << c.name;
        EXPECT_EQ(s.lines[0], QStringLiteral("Settings file: ") + file) << c.name;
        if (c.lines.isEmpty()) {
            ASSERT_EQ(s.lines.size(), 2) << c.name;
            EXPECT_TRUE(s.lines[1].startsWith(QStringLiteral("The file cannot be read: ")))
                << c.name;
        } else {
            EXPECT_EQ(s.lines.mid(1), c.lines) << c.name;
        }
    }
}

TEST_F(SystemInfoReportTest, AliasesAndSerialPortsWithTheNumbersThatReachThem) {
    ProgramTestFolder::writeFile(path(QStringLiteral("ttyUSB0")), "");
    ProgramTestFolder::writeFile(path(QStringLiteral("pty")), "");
    QDir(folder.path()).mkpath(QStringLiteral("Support"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("ttyUSB0")), path(QStringLiteral("Support/COM2"))));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("pty")), path(QStringLiteral("Support/COM7"))));
    ASSERT_TRUE(
        QFile::link(path(QStringLiteral("unplugged")), path(QStringLiteral("Support/COM9"))));
    SerialPortCatalog::Device usb;
    usb.path = path(QStringLiteral("ttyUSB0"));
    usb.description = QStringLiteral("CP2102 USB to UART Bridge Controller");
    usb.manufacturer = QStringLiteral("Silicon Labs");
    usb.serialNumber = QStringLiteral("0001");
    usb.vendorId = 0x10C4;
    usb.productId = 0xEA60;
    SerialPortCatalog::Device plain;
    plain.path = QStringLiteral("/nonexistent/ttyS30");
    devices = {usb, plain};

    EXPECT_EQ(section(QStringLiteral("Port Aliases")).lines,
              (QStringList{
                  QStringLiteral("Port 2: %1 -> %2, present")
                      .arg(path(QStringLiteral("Support/COM2")), path(QStringLiteral("ttyUSB0"))),
                  QStringLiteral("Port 7: %1 -> %2, present")
                      .arg(path(QStringLiteral("Support/COM7")), path(QStringLiteral("pty"))),
                  QStringLiteral("Port 9: %1 -> %2, not present")
                      .arg(path(QStringLiteral("Support/COM9")), path(QStringLiteral("unplugged"))),
              }));

    const QStringList ports = section(QStringLiteral("Serial Ports")).lines;
    ASSERT_EQ(ports.size(), 9);
    EXPECT_EQ(ports[0],
              usb.path + QStringLiteral(" - CP2102 USB to UART Bridge Controller, Silicon "
                                        "Labs, USB 10c4:ea60, serial number 0001"));
    EXPECT_EQ(ports[1], QStringLiteral("    Port number: 2"));
    EXPECT_EQ(ports[2], QStringLiteral("    Access: allowed for this user"));
    EXPECT_EQ(ports[3], QStringLiteral("/nonexistent/ttyS30"));
    EXPECT_EQ(ports[4], QStringLiteral("    Port number: none"));
    EXPECT_EQ(ports[5], QStringLiteral("    Access: not known (no device file)"));
    EXPECT_EQ(ports[6],
              path(QStringLiteral("pty")) + QStringLiteral(" - reached through a port alias"));
    EXPECT_EQ(ports[7], QStringLiteral("    Port number: 7"));
}

TEST_F(SystemInfoReportTest, WithoutAliasesOrPortsTheSectionsSaySo) {
    EXPECT_EQ(section(QStringLiteral("Port Aliases")).lines,
              QStringList{QStringLiteral("None: port N opens the computer's own port for N.")});
    EXPECT_EQ(section(QStringLiteral("Serial Ports")).lines,
              QStringList{QStringLiteral("No serial ports found.")});
}

TEST_F(SystemInfoReportTest, FileContentsAreShownLineByLineWithControlCharactersVisible) {
    struct Case {
        QByteArray content;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"3,9600\r\n", {"3,9600"}},
        {"3,9600", {"3,9600"}},
        {"1,9600\n2,19200\n", {"1,9600", "2,19200"}},
        {"\r\n\r\n", {"", ""}},
        {QByteArray("4\t,\x00"
                    "9600\r",
                    9),
         {"4<09>,<00>9600<0d>"}},
        {"7,9600\x7f\xe9", {QStringLiteral("7,9600<7f>\u00e9")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SystemInfoReport::visibleLines(c.content), c.lines)
            << c.content.toHex().constData();
}
