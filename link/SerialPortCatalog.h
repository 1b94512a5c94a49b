#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The serial ports of this computer and the port numbers (1..99) that lead to each of them,
// either through a Support/COM<N> alias or through the platform's own name for N. Service
// engineers use it to find which number to choose for a USB adapter.
class SerialPortCatalog {
public:
    struct Device {
        QString path; // what is opened: /dev/ttyUSB0, COM3, ...
        QString description;
        QString manufacturer;
        QString serialNumber;
        std::optional<quint16> vendorId;
        std::optional<quint16> productId;
    };

    // Where one port number leads.
    struct Route {
        int number = 0;
        QString path; // the alias or the platform name that port `number` opens
        bool alias = false;
        QString target; // the device behind the alias (the path itself for a platform name)
        bool present = false;
    };

    struct Entry {
        Device device;
        QList<int> numbers;         // the port numbers that open this device, ascending
        bool listedBySystem = true; // false for an alias target the system does not list
    };

    using Lister = std::function<QList<Device>()>;

    explicit SerialPortCatalog(QString applicationFolder, Lister lister = systemPorts);

    // The ports the operating system reports.
    static QList<Device> systemPorts();

    Route route(int number) const;
    // Every Support/COM<N> alias, by number.
    QList<Route> aliases() const;
    // The listed devices, then the existing alias targets the system does not list (a
    // pseudo-terminal, for example), each with the numbers that reach it.
    QList<Entry> entries() const;

    // "USB 0403:6001" when the ids are known, else empty.
    static QString usbIds(const Device& device);
    // "1, 3" or "none".
    static QString numbersText(const QList<int>& numbers);
    // "/app/Support/COM3 -> /dev/pts/4, present" or "/dev/ttyS0, not present".
    static QString routeText(const Route& route);

private:
    Route routeWith(int number, const QList<Device>& devices) const;
    static QString canonical(const QString& path);
    static bool lists(const QList<Device>& devices, const QString& path);

    QString appFolder_;
    Lister lister_;
};
