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
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    QString alias(int number, const QString& target) {
        QDir(folder.path()).mkpath(QStringLiteral("Support"));
        const QString path = folder.filePath(QStringLiteral("Support/COM%1").arg(number));
        EXPECT_TRUE(QFile::link(target, path));
        return path;
    }
    static SerialPortCatalog::Device listed(const QString& path, quint16 vendor = 0,
                                            quint16 product = 0) {
        SerialPortCatalog::Device d;
        d.path = path;
        d.description = QStringLiteral("USB serial adapter");
        if (vendor)
            d.vendorId = vendor;
        if (product)
            d.productId = product;
        return d;
    }
};

} // namespace

TEST_F(SerialPortCatalogTest, ARouteLeadsThroughTheAliasOrThePlatformName) {
    const QString usb = device(QStringLiteral("ttyUSB0"));
    const QString comAlias = alias(3, usb);
    const QString broken = alias(4, folder.filePath(QStringLiteral("unplugged")));
    devices = {listed(usb), listed(QtSerialPort::platformPortName(2))};
    struct Case {
        int number;
        QString path;
        bool alias;
        QString target;
        bool present;
    } cases[] = {
        {3, comAlias, true, usb, true},
        {4, broken, true, folder.filePath(QStringLiteral("unplugged")), false},
        {2, QtSerialPort::platformPortName(2), false, QtSerialPort::platformPortName(2), true},
        {5, QtSerialPort::platformPortName(5), false, QtSerialPort::platformPortName(5), false},
    };
    for (const Case& c : cases) {
        const SerialPortCatalog::Route route = catalog.route(c.number);
        EXPECT_EQ(route.number, c.number);
        EXPECT_EQ(route.path, c.path) << c.number;
        EXPECT_EQ(route.alias, c.alias) << c.number;
        EXPECT_EQ(route.target, c.target) << c.number;
        EXPECT_EQ(route.present, c.present) << c.number;
    }
    const QList<SerialPortCatalog::Route> aliases = catalog.aliases();
    ASSERT_EQ(aliases.size(), 2);
    EXPECT_EQ(aliases[0].number, 3);
    EXPECT_EQ(aliases[1].number, 4);
}

TEST_F(SerialPortCatalogTest, EachPortIsListedWithTheNumbersThatReachIt) {
    const QString usb = device(QStringLiteral("ttyUSB0"));
    const QString pty = device(QStringLiteral("pts-7"));
    const QString other = device(QStringLiteral("ttyACM0"));
    alias(2, usb);
    alias(9, pty);
    alias(5, usb);
    alias(11, pty);
    alias(12, folder.filePath(QStringLiteral("gone")));
    devices = {listed(usb, 0x0403, 0x6001), listed(other)};

    const QList<SerialPortCatalog::Entry> entries = catalog.entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].device.path, usb);
    EXPECT_EQ(entries[0].numbers, (QList<int>{2, 5}));
    EXPECT_TRUE(entries[0].listedBySystem);
    EXPECT_EQ(entries[1].device.path, other);
    EXPECT_TRUE(entries[1].numbers.isEmpty());
    EXPECT_EQ(entries[2].device.path, pty) << "an alias target the system does not list";
    EXPECT_EQ(entries[2].numbers, (QList<int>{9, 11}));
    EXPECT_FALSE(entries[2].listedBySystem);
}

TEST_F(SerialPortCatalogTest, AnAliasHidesThePlatformPortOfItsNumber) {
    const QString usb = device(QStringLiteral("ttyUSB0"));
    alias(1, usb);
    devices = {listed(QtSerialPort::platformPortName(1)), listed(usb)};
    const QList<SerialPortCatalog::Entry> entries = catalog.entries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].numbers.isEmpty()) << "port 1 opens the alias, not the platform port";
    EXPECT_EQ(entries[1].numbers, (QList<int>{1}));
}

TEST_F(SerialPortCatalogTest, TextsForTheDialogAndTheSystemInformation) {
    SerialPortCatalog::Device d;
    EXPECT_EQ(SerialPortCatalog::usbIds(d), QString());
    d.vendorId = 0x403;
    EXPECT_EQ(SerialPortCatalog::usbIds(d), QString()) << "both ids are needed";
    d.productId = 0x6001;
    EXPECT_EQ(SerialPortCatalog::usbIds(d), QStringLiteral("USB 0403:6001"));
    d.vendorId = 0x1A86;
    d.productId = 0x7523;
    EXPECT_EQ(SerialPortCatalog::usbIds(d), QStringLiteral("USB 1a86:7523"));

    EXPECT_EQ(SerialPortCatalog::numbersText({}), QStringLiteral("none"));
    EXPECT_EQ(SerialPortCatalog::numbersText({4}), QStringLiteral("4"));
    EXPECT_EQ(SerialPortCatalog::numbersText({2, 5, 17}), QStringLiteral("2, 5, 17"));

    SerialPortCatalog::Route route;
    route.path = QStringLiteral("/dev/ttyS0");
    route.target = route.path;
    EXPECT_EQ(SerialPortCatalog::routeText(route), QStringLiteral("/dev/ttyS0, not present"));
    route.alias = true;
    route.path = QStringLiteral("/opt/vorna7/Support/COM1");
    route.target = QStringLiteral("/dev/pts/4");
    route.present = true;
    EXPECT_EQ(SerialPortCatalog::routeText(route),
              QStringLiteral("/opt/vorna7/Support/COM1 -> /dev/pts/4, present"));
}
