#include "SerialPortCatalog.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

#include "CommSettings.h"
#include "QtSerialPort.h"
#include "SupportFolder.h"

SerialPortCatalog::SerialPortCatalog(QString applicationFolder, Lister lister)
    : appFolder_(std::move(applicationFolder)), lister_(std::move(lister)) {}

QList<SerialPortCatalog::Device> SerialPortCatalog::systemPorts() {
    QList<Device> devices;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        Device device;
#ifdef Q_OS_WIN
        device.path = info.portName();
#else
        device.path = info.systemLocation();
#endif
        device.description = info.description();
        device.manufacturer = info.manufacturer();
        device.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier())
            device.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            device.productId = info.productIdentifier();
        devices.append(device);
    }
    return devices;
}

// Symbolic links (aliases, /dev/serial/by-id) resolve to the device node they name.
QString SerialPortCatalog::canonical(const QString& path) {
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

bool SerialPortCatalog::lists(const QList<Device>& devices, const QString& path) {
    const QString wanted = canonical(path);
    for (const Device& device : devices) {
        if (canonical(device.path) == wanted)
            return true;
    }
    return false;
}

SerialPortCatalog::Route SerialPortCatalog::route(int number) const {
    return routeWith(number, lister_());
}

SerialPortCatalog::Route SerialPortCatalog::routeWith(int number,
                                                      const QList<Device>& devices) const {
    Route route;
    route.number = number;
    route.path = QtSerialPort::devicePathFor(appFolder_, number);
    const QFileInfo info(route.path);
    route.alias = route.path != QtSerialPort::platformPortName(number);
    if (route.alias) {
        route.target = info.isSymLink() ? info.symLinkTarget() : route.path;
        route.present = info.exists();
    } else {
        route.target = route.path;
        route.present = lists(devices, route.path);
    }
    return route;
}

QList<SerialPortCatalog::Route> SerialPortCatalog::aliases() const {
    QList<Route> routes;
    const QList<Device> devices = lister_();
    for (int number = CommSettings::MinPort; number <= CommSettings::MaxPort; ++number) {
        Route route = routeWith(number, devices);
        if (route.alias)
            routes.append(route);
    }
    return routes;
}

QList<SerialPortCatalog::Entry> SerialPortCatalog::entries() const {
    const QList<Device> devices = lister_();
    QList<Route> routes;
    for (int number = CommSettings::MinPort; number <= CommSettings::MaxPort; ++number)
        routes.append(routeWith(number, devices));

    QList<Entry> result;
    for (const Device& device : devices) {
        Entry entry;
        entry.device = device;
        const QString wanted = canonical(device.path);
        for (const Route& route : routes) {
            if (route.present && canonical(route.target) == wanted)
                entry.numbers.append(route.number);
        }
        result.append(entry);
    }
    for (const Route& route : routes) {
        if (!route.alias || !route.present || lists(devices, route.target))
            continue;
        const QString target = canonical(route.target);
        auto known = std::find_if(result.begin(), result.end(), [&](const Entry& entry) {
            return !entry.listedBySystem && canonical(entry.device.path) == target;
        });
        if (known != result.end()) {
            known->numbers.append(route.number);
            continue;
        }
        Entry entry;
        entry.device.path = target;
        entry.listedBySystem = false;
        entry.numbers.append(route.number);
        result.append(entry);
    }
    return result;
}

QString SerialPortCatalog::usbIds(const Device& device) {
    if (!device.vendorId || !device.productId)
        return {};
    return QStringLiteral("USB %1:%2")
        .arg(*device.vendorId, 4, 16, QLatin1Char('0'))
        .arg(*device.productId, 4, 16, QLatin1Char('0'));
}

QString SerialPortCatalog::numbersText(const QList<int>& numbers) {
    if (numbers.isEmpty())
        return QStringLiteral("none");
    QStringList texts;
    for (int number : numbers)
        texts.append(QString::number(number));
    return texts.join(QStringLiteral(", "));
}

QString SerialPortCatalog::routeText(const Route& route) {
    QString text = QDir::toNativeSeparators(route.path);
    if (route.alias)
        text += QStringLiteral(" -> ") + QDir::toNativeSeparators(route.target);
    text += route.present ? QStringLiteral(", present") : QStringLiteral(", not present");
    return text;
}
