#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "AppLayout.h"
#include "SerialPortCatalog.h"

// What a service engineer needs to know about this installation: program, operating system,
// Qt, the port settings file and the serial ports with the port numbers that reach them.
class SystemInfoReport {
public:
    struct Section {
        QString heading;
        QStringList lines;
    };

    explicit SystemInfoReport(AppLayout layout,
                              SerialPortCatalog::Lister lister = SerialPortCatalog::systemPorts);

    QList<Section> sections() const;
    // The sections as plain text: each heading, its lines indented, a blank line between.
    QString text() const;

    // A file's text with control characters other than line ends shown as <xx>.
    static QStringList visibleLines(const QByteArray& content);

private:
    Section program() const;
    Section operatingSystem() const;
    Section qt() const;
    Section portSettings() const;
    Section portAliases() const;
    Section serialPorts() const;
    static QString accessText(const QString& device);

    AppLayout layout_;
    SerialPortCatalog catalog_;
};
