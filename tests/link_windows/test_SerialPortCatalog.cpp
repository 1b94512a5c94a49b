#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "QtSerialPort.h"
#include "SerialPortCatalog.h"

namespace {

// An application folder with port aliases; "devices" are plain files standing in for nodes.
class SerialPortCatalogTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QList<SerialPortCatalog::Device> devices;
    SerialPortCatalog catalog{folder.path(), [this] { return devices; }};

    QString device(const QString& name) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    static SerialPortCatalog::Device listed(const QString& path) {
        return {path, {}, {}, {}, {}, {}};
    }
    QString alias(int number, const QString& target) {
        QDir(folder.path()).mkpath(QStringLiteral("Support"));
        const QString path = folder.filePath(QStringLiteral("Support/COM%1").arg(number));
        EXPECT_TRUE(QFile::link(target, path));
        return path;
    }
};

} // namespace

TEST_F(SerialPortCatalogTest, ARouteLeadsThroughTheAliasOrThePlatformNameToEachPortListed) {
    const QString usb = device(QStringLiteral("ttyUSB0"));
    const QString unplugged = folder.filePath(QStringLiteral("unplugged"));
    const QString comAlias = alias(3, usb);
    const QString broken = alias(4, unplugged);
    const QString com2 = QtSerialPort::platformPortName(2),
                  com5 = QtSerialPort::platformPortName(5);
    devices = {listed(usb), listed(com2)};
    const SerialPortCatalog::Route cases[] = {
        {3, comAlias, true, usb, true},
        {4, broken, true, unplugged, false},
        {2, com2, false, com2, true},
        {5, com5, false, com5, false},
    };
    for (const SerialPortCatalog::Route& c : cases) {
        SCOPED_TRACE(c.number);
        const SerialPortCatalog::Route r = catalog.route(c.number);
        EXPECT_EQ(std::tie(r.number, r.path, r.alias, r.target, r.present),
                  std::tie(c.number, c.path, c.alias, c.target, c.present));
    }
    const QList<SerialPortCatalog::Route> aliases = catalog.aliases();
    ASSERT_EQ(aliases.size(), 2);
    EXPECT_EQ(aliases[0].number, 3);
    EXPECT_EQ(aliases[1].number, 4);

    // An alias hides the platform port of its number; alias targets the system does not list
    // come last.
    const QString pty = device(QStringLiteral("pts-7"));
    const QString other = device(QStringLiteral("ttyACM0"));
    for (const auto& [number, target] : {std::pair{2, usb}, {9, pty}, {5, usb}, {11, pty}})
        alias(number, target);
    alias(12, folder.filePath(QStringLiteral("gone")));
    devices = {listed(usb), listed(other), listed(com2)};

    const struct {
        QString path;
        QList<int> numbers;
        bool listedBySystem;
    } expected[] = {
        {usb, {2, 3, 5}, true}, {other, {}, true}, {com2, {}, true}, {pty, {9, 11}, false}};
    const QList<SerialPortCatalog::Entry> entries = catalog.entries();
    ASSERT_EQ(entries.size(), std::size(expected));
    for (qsizetype i = 0; i < entries.size(); ++i)
        EXPECT_EQ(std::tie(entries[i].device.path, entries[i].numbers, entries[i].listedBySystem),
                  std::tie(expected[i].path, expected[i].numbers, expected[i].listedBySystem));
    // Where a port is shown, a USB id needs both numbers, and several port numbers take commas.
    EXPECT_EQ(SerialPortCatalog::usbIds({{}, {}, {}, {}, 0x403, {}}), QString());
    EXPECT_EQ(SerialPortCatalog::usbIds({{}, {}, {}, {}, 0x1A86, 0x7523}), "USB 1a86:7523");
    EXPECT_EQ(SerialPortCatalog::numbersText({2, 5, 17}), QStringLiteral("2, 5, 17"));
}
