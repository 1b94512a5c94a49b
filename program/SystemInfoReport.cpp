#include "SystemInfoReport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QtGlobal>

#include "AboutText.h"
#include "CommSettings.h"
#include "HelpPages.h"
#include "SupportFolder.h"

#ifdef Q_OS_UNIX
#include <algorithm>
#include <grp.h>
#include <unistd.h>
#include <vector>
#endif

namespace {

constexpr qint64 MostShown = 4096;
const QString Indent = QStringLiteral("    ");

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Access to a serial device on Unix is usually granted through a group such as "dialout".
QStringList userGroups() {
    QStringList names;
#ifdef Q_OS_UNIX
    std::vector<gid_t> ids{::getegid()};
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> more(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, more.data());
        ids.insert(ids.end(), more.begin(), more.begin() + std::max(got, 0));
    }
    for (const gid_t id : ids) {
        const group* entry = ::getgrgid(id);
        const QString name = entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(id);
        if (!names.contains(name))
            names.append(name);
    }
#endif
    return names;
}

} // namespace

SystemInfoReport::SystemInfoReport(AppLayout layout, SerialPortCatalog::Lister lister)
    : layout_(std::move(layout)), catalog_(layout_.applicationFolder(), std::move(lister)) {}

QList<SystemInfoReport::Section> SystemInfoReport::sections() const {
    return {program(), operatingSystem(), qt(), portSettings(), portAliases(), serialPorts()};
}

QString SystemInfoReport::text() const {
    QStringList out;
    for (const Section& section : sections()) {
        if (!out.isEmpty())
            out.append(QString());
        out.append(section.heading);
        for (const QString& line : section.lines)
            out.append(Indent + line);
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QStringList SystemInfoReport::visibleLines(const QByteArray& content) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const auto byte = static_cast<unsigned char>(content.at(i));
        if (byte == '\n') {
            lines.append(line);
            line.clear();
        } else if (byte == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n') {
            continue;
        } else if (byte < 0x20 || byte == 0x7F) {
            line += QStringLiteral("<%1>").arg(byte, 2, 16, QLatin1Char('0'));
        } else {
            line += QChar::fromLatin1(static_cast<char>(byte));
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

SystemInfoReport::Section SystemInfoReport::program() const {
    Section section{QStringLiteral("Program"),
                    {AboutText::title() + QLatin1Char(' ') + AboutText::version(),
                     QStringLiteral("Application folder: ") + native(layout_.applicationFolder()),
                     QStringLiteral("Support folder: ") +
                         native(SupportFolder::path(layout_.applicationFolder()))}};
    if (layout_.isInstalled())
        section.lines.append(QStringLiteral("Shipped files: ") + native(layout_.shippedFolder()));
    section.lines.append(QStringLiteral("Help folder: ") +
                         native(HelpPages::folder(layout_.shippedFolder())));
    return section;
}

SystemInfoReport::Section SystemInfoReport::operatingSystem() const {
    Section section{
        QStringLiteral("Operating System"),
        {QSysInfo::prettyProductName(),
         QStringLiteral("Kernel: %1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion()),
         QStringLiteral("Architecture: ") + QSysInfo::currentCpuArchitecture(),
         QStringLiteral("Computer name: ") + QSysInfo::machineHostName()}};
    const QStringList groups = userGroups();
    if (!groups.isEmpty())
        section.lines.append(QStringLiteral("Groups of this user: ") +
                             groups.join(QStringLiteral(", ")));
    return section;
}

SystemInfoReport::Section SystemInfoReport::qt() const {
    return {QStringLiteral("Qt"),
            {QStringLiteral("Qt version: %1 (built with %2)")
                 .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))}};
}

SystemInfoReport::Section SystemInfoReport::portSettings() const {
    Section section{QStringLiteral("Port Settings"), {}};
    const QString path = CommSettings::path(layout_.applicationFolder());
    section.lines.append(QStringLiteral("Settings file: ") + native(path));

    CommSettings settings;
    QString error;
    const CommSettings::ReadResult result = settings.read(path, &error);
    switch (result) {
    case CommSettings::ReadResult::Missing:
        section.lines.append(QStringLiteral("The file does not exist yet; going online creates "
                                            "it with port 1 at 9600 baud."));
        break;
    case CommSettings::ReadResult::Failed:
        section.lines.append(QStringLiteral("The file cannot be read: ") + error);
        break;
    case CommSettings::ReadResult::Empty:
    case CommSettings::ReadResult::Read: {
        QFile file(path);
        const QByteArray content =
            file.open(QIODevice::ReadOnly) ? file.read(MostShown) : QByteArray();
        section.lines.append(QStringLiteral("Contents:"));
        const QStringList lines = visibleLines(content);
        for (const QString& line : lines)
            section.lines.append(Indent + line);
        if (lines.isEmpty())
            section.lines.append(Indent + QStringLiteral("(empty)"));
        break;
    }
    }
    if (result != CommSettings::ReadResult::Failed) {
        section.lines.append(QStringLiteral("In use: port %1 at %2 baud (%3)")
                                 .arg(settings.port)
                                 .arg(settings.speed)
                                 .arg(settings.lineSettings()));
        section.lines.append(QStringLiteral("Port %1 opens %2")
                                 .arg(settings.port)
                                 .arg(SerialPortCatalog::routeText(catalog_.route(settings.port))));
    }
    return section;
}

SystemInfoReport::Section SystemInfoReport::portAliases() const {
    Section section{QStringLiteral("Port Aliases"), {}};
    const QList<SerialPortCatalog::Route> aliases = catalog_.aliases();
    for (const SerialPortCatalog::Route& route : aliases)
        section.lines.append(QStringLiteral("Port %1: %2")
                                 .arg(route.number)
                                 .arg(SerialPortCatalog::routeText(route)));
    if (aliases.isEmpty())
        section.lines.append(QStringLiteral("None: port N opens the computer's own port for N."));
    return section;
}

SystemInfoReport::Section SystemInfoReport::serialPorts() const {
    Section section{QStringLiteral("Serial Ports"), {}};
    const QList<SerialPortCatalog::Entry> entries = catalog_.entries();
    for (const SerialPortCatalog::Entry& entry : entries) {
        QStringList about;
        if (!entry.device.description.isEmpty())
            about.append(entry.device.description);
        if (!entry.device.manufacturer.isEmpty())
            about.append(entry.device.manufacturer);
        if (const QString ids = SerialPortCatalog::usbIds(entry.device); !ids.isEmpty())
            about.append(ids);
        if (!entry.device.serialNumber.isEmpty())
            about.append(QStringLiteral("serial number ") + entry.device.serialNumber);
        if (!entry.listedBySystem)
            about.append(QStringLiteral("reached through a port alias"));
        section.lines.append(about.isEmpty() ? native(entry.device.path)
                                             : native(entry.device.path) + QStringLiteral(" - ") +
                                                   about.join(QStringLiteral(", ")));
        section.lines.append(Indent + QStringLiteral("Port number: ") +
                             SerialPortCatalog::numbersText(entry.numbers));
        section.lines.append(Indent + accessText(entry.device.path));
    }
    if (entries.isEmpty())
        section.lines.append(QStringLiteral("No serial ports found."));
    return section;
}

QString SystemInfoReport::accessText(const QString& device) {
    const QFileInfo info(QFileInfo(device).canonicalFilePath());
    if (!info.exists())
        return QStringLiteral("Access: not known (no device file)");
    if (info.isReadable() && info.isWritable())
        return QStringLiteral("Access: allowed for this user");
    return QStringLiteral("Access: denied for this user (the device belongs to group \"%1\")")
        .arg(info.group());
}
