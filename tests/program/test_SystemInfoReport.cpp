#include "ForbiddenDevice.h"
#include "ProgramTestFolder.h"
#include "QStringPrinter.h"
#include "QtSerialPort.h"
#include "SystemInfoReport.h"

namespace {

class SystemInfoReportTest : public ::testing::Test {
protected:
    TempFolder folder;
    QList<SerialPortCatalog::Device> devices;

    SystemInfoReport report() {
        return SystemInfoReport(AppLayout::forFolder(folder.path()), [this] { return devices; });
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
        ASSERT_TRUE(folder.write("Support/RSPort.cfg", content));
    }
};

} // namespace

TEST_F(SystemInfoReportTest, TheSettingsFileItsPortsAliasesAndTheNumbersThatReachThem) {
    const QString file = path(QStringLiteral("Support/RSPort.cfg"));
    const auto inUse = [](int port, int baud) {
        return QStringList{
            QStringLiteral("In use: port %1 at %2 baud (%2,n,8,1)").arg(port).arg(baud),
            QStringLiteral("Port %1 opens %2, not present")
                .arg(port)
                .arg(QtSerialPort::platformPortName(port))};
    };
    const struct {
        const char* content; // nullptr: no file
        QStringList lines;   // after "Settings file: ..."
    } cases[] = {
        {nullptr,
         QStringList{"The file does not exist yet; going online creates it with port 1 at 9600 "
                     "baud."} +
             inUse(1, 9600)},
        {"", QStringList{"Contents:", "    (empty)"} + inUse(1, 9600)},
        {"120,4800\r\n", QStringList{"Contents:", "    120,4800"} + inUse(99, 9600)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content ? c.content : "<none>");
        QDir(path(QStringLiteral("Support"))).removeRecursively();
        if (c.content)
            settings(c.content);
        EXPECT_EQ(section("Port Settings").lines,
                  QStringList{QStringLiteral("Settings file: ") + file} + c.lines);
    }

    // Without aliases or ports the sections say so.
    EXPECT_EQ(section("Port Aliases").lines,
              QStringList{"None: port N opens the computer's own port for N."});
    EXPECT_EQ(section("Serial Ports").lines, QStringList{"No serial ports found."});

    // A file that cannot be read says so.
    QFile::remove(file);
    QDir(folder.path()).mkpath(QStringLiteral("Support/RSPort.cfg"));
    const QStringList unreadable = section(QStringLiteral("Port Settings")).lines;
    ASSERT_EQ(unreadable.size(), 2);
    EXPECT_EQ(unreadable[0], QStringLiteral("Settings file: ") + file);
    EXPECT_TRUE(unreadable[1].startsWith("The file cannot be read: "));

    // File contents are shown line by line, with control characters visible.
    struct Case {
        QByteArray content;
        QStringList lines;
    } files[] = {
        {"", {}},
        {"3,9600", {"3,9600"}},
        {"1,9600\n2,19200\n", {"1,9600", "2,19200"}},
        {"\r\n\r\n", {"", ""}},
        {QByteArray("4\t,\x00"
                    "9600\r",
                    9),
         {"4<09>,<00>9600<0d>"}},
        {"7,9600\x7f\xe9", {QStringLiteral("7,9600<7f>\u00e9")}},
    };
    for (const Case& c : files)
        EXPECT_EQ(SystemInfoReport::visibleLines(c.content), c.lines)
            << c.content.toHex().constData();

    // Aliases and serial ports, with the numbers that reach them.
    ASSERT_TRUE(folder.write("ttyUSB0", ""));
    ASSERT_TRUE(folder.write("pty", ""));
    QDir(path("Support/RSPort.cfg")).removeRecursively();
    const std::pair<int, const char*> aliases[] = {{2, "ttyUSB0"}, {7, "pty"}, {9, "unplugged"}};
    for (const auto& [number, target] : aliases)
        ASSERT_TRUE(QFile::link(path(QString::fromLatin1(target)),
                                path(QStringLiteral("Support/COM%1").arg(number))));
    const QString usb = path(QStringLiteral("ttyUSB0"));
    devices = {{usb, QStringLiteral("CP2102 USB to UART Bridge Controller"),
                QStringLiteral("Silicon Labs"), QStringLiteral("0001"), 0x10C4, 0xEA60},
               {QStringLiteral("/nonexistent/ttyS30"), {}, {}, {}, {}, {}}};

    settings("2,19200\r\n");
    EXPECT_EQ(section("Port Settings").lines.mid(3),
              (QStringList{
                  "In use: port 2 at 19200 baud (19200,n,8,1)",
                  QStringLiteral("Port 2 opens %1 -> %2, present").arg(path("Support/COM2"), usb)}))
        << "the port in use opens its alias";
    EXPECT_EQ(
        section("Port Aliases").lines,
        (QStringList{
            QStringLiteral("Port 2: %1 -> %2, present").arg(path("Support/COM2"), usb),
            QStringLiteral("Port 7: %1 -> %2, present").arg(path("Support/COM7"), path("pty")),
            QStringLiteral("Port 9: %1 -> %2, not present")
                .arg(path("Support/COM9"), path("unplugged")),
        }));

    const QStringList ports = section(QStringLiteral("Serial Ports")).lines;
    ASSERT_EQ(ports.size(), 9);
    EXPECT_EQ(ports.mid(0, 8),
              (QStringList{usb + QStringLiteral(" - CP2102 USB to UART Bridge Controller, Silicon "
                                                "Labs, USB 10c4:ea60, serial number 0001"),
                           "    Port number: 2", "    Access: allowed for this user",
                           "/nonexistent/ttyS30", "    Port number: none",
                           "    Access: not known (no device file)",
                           path("pty") + " - reached through a port alias", "    Port number: 7"}));
}

TEST_F(SystemInfoReportTest, ADeviceThisUserMayNotOpenIsShownWithItsGroup) {
    const ForbiddenDevice device(folder);
    if (!device.ready())
        GTEST_SKIP() << "this user cannot be kept from a file here";
    devices = {{device.path(), {}, {}, {}, {}, {}}};
    EXPECT_EQ(
        section("Serial Ports").lines.value(2),
        QStringLiteral("    Access: denied for this user (the device belongs to group \"%1\")")
            .arg(QFileInfo(device.path()).group()));
}
