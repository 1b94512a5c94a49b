#include "QtSerialPort.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <QtGlobal>
#include <cmath>

#include "DecimalText.h"
#include "SupportFolder.h"

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace {
// Far above any serial line's speed; a longer number is no speed at all.
constexpr std::uint64_t MaxBaud = 100'000'000;
} // namespace

QtSerialPort::QtSerialPort(QString applicationFolder) : appFolder_(std::move(applicationFolder)) {}

QtSerialPort::~QtSerialPort() {
    close();
}

QString QtSerialPort::platformPortName(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QString QtSerialPort::devicePathFor(const QString& applicationFolder, int number) {
    const QString alias =
        SupportFolder::file(applicationFolder, QStringLiteral("COM%1").arg(number));
    const QFileInfo info(alias);
    if (info.exists() || info.isSymLink())
        return alias;
    return platformPortName(number);
}

QString QtSerialPort::devicePath() const {
    return devicePathOverride_.isEmpty() ? devicePathFor(appFolder_, portNumber_)
                                         : devicePathOverride_;
}

bool QtSerialPort::setSettings(const QString& settings) {
    const QStringList parts = settings.split(QLatin1Char(','));
    const QString baudText = parts.value(0).trimmed();
    const std::uint64_t baud = DecimalText::leadingDigits(baudText);
    if (!DecimalText::isDigits(baudText) || baud == 0 || baud > MaxBaud || parts.size() != 4 ||
        parts.value(1).trimmed().compare(QLatin1String("n"), Qt::CaseInsensitive) != 0 ||
        parts.value(2).trimmed() != QLatin1String("8") ||
        parts.value(3).trimmed() != QLatin1String("1")) {
        fail(380, QStringLiteral("QtSerialPort"),
             QStringLiteral("Invalid line settings \"%1\".").arg(settings));
        return false;
    }
    settings_ = settings;
    baud_ = static_cast<int>(baud);
    if (port_.isOpen())
        port_.setBaudRate(baud_);
    return true;
}

void QtSerialPort::fail(int number, const QString& source, const QString& description) {
    error_ = Error{number, source, description};
}

bool QtSerialPort::open() {
    close();
    dropped_ = false;
    const QString path = devicePath();
    // An alias is opened through its target so the port's lock names the real device.
    const QFileInfo alias(path);
    const QString target = alias.isSymLink() ? alias.canonicalFilePath() : QString();
    port_.setPortName(target.isEmpty() ? path : target);
    port_.setBaudRate(baud_);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        QString description = QStringLiteral("%1: %2").arg(path, port_.errorString());
        if (port_.error() == QSerialPort::PermissionError) {
            const QFileInfo device(QFileInfo(path).canonicalFilePath());
            if (device.exists() && !(device.isReadable() && device.isWritable()))
                description +=
                    QStringLiteral(
                        "\r\nThis user may not use the device. Add the user to the group that owns "
                        "%1 (usually \"dialout\"), then log in again.")
                        .arg(device.filePath());
            else
                description += QStringLiteral("\r\nThe port may be in use by another program.");
        }
        fail(8000 + static_cast<int>(port_.error()), QStringLiteral("QSerialPort"), description);
        return false;
    }
    requestLowLatency();
    line_.attach(static_cast<int>(port_.handle()));
    keepOutOfTheEventLoop();
    return true;
}

// USB serial adapters otherwise hold each received byte for up to 16 ms. Drivers that do not
// offer the mode (pseudo-terminals, plain UARTs) refuse, which is fine.
void QtSerialPort::requestLowLatency() {
#ifdef Q_OS_LINUX
    const int fd = static_cast<int>(port_.handle());
    serial_struct serial{};
    if (fd >= 0 && ::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

// QSerialPort finds, opens, sets up, locks and closes the device; the bytes cross its
// descriptor directly. Its buffered reads and writes switch event-loop notifiers on and off
// around every operation, and each switch wakes the loop: time every exchange of a refresh
// cycle waits for. Left switched on, its read notifier would have each turn of the loop poll
// the line instead, and a terminal's poll waits for the driver to hand over pending input.
// So the port's notifiers (its children) are switched off once at open; the port never reads
// or writes itself, so nothing switches them on again.
void QtSerialPort::keepOutOfTheEventLoop() {
    for (QSocketNotifier* notifier : port_.findChildren<QSocketNotifier*>())
        notifier->setEnabled(false);
}

void QtSerialPort::close() {
    line_.detach();
    if (port_.isOpen())
        port_.close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen() && !dropped_;
}

void QtSerialPort::dropLine(QSerialPort::SerialPortError kind, int error) {
    fail(8000 + static_cast<int>(kind), QStringLiteral("QSerialPort"),
         error != 0 ? qt_error_string(error) : QStringLiteral("The line was hung up."));
    dropped_ = true;
    close();
}

int QtSerialPort::bytesWaiting() {
    if (!isOpen())
        return 0;
    if (line_.buffered() == 0 && line_.fill(0) == DescriptorLine::Outcome::Failed)
        dropLine(QSerialPort::ResourceError, line_.error());
    return line_.buffered();
}

SerialPort::WaitResult QtSerialPort::waitForByte(Clock& clock, Clock::Micros deadline) {
    while (isOpen()) {
        if (line_.buffered() > 0)
            return WaitResult::ByteReady;
        const Clock::Micros remaining = deadline - clock.now();
        if (remaining <= 0)
            return WaitResult::TimedOut;
        const int ms = static_cast<int>(std::ceil(static_cast<double>(remaining) / 1000.0));
        if (line_.fill(ms) == DescriptorLine::Outcome::Failed)
            dropLine(QSerialPort::ResourceError, line_.error());
    }
    return WaitResult::LineDropped;
}

bool QtSerialPort::send(const QByteArray& bytes) {
    if (!isOpen())
        return false;
    // Only a full driver buffer makes this wait.
    switch (line_.write(bytes.constData(), static_cast<std::size_t>(bytes.size()), 1000)) {
    case DescriptorLine::Outcome::Done:
        return true;
    case DescriptorLine::Outcome::TimedOut:
        fail(8000 + static_cast<int>(QSerialPort::TimeoutError), QStringLiteral("QSerialPort"),
             QStringLiteral("The line did not accept the byte within 1 s."));
        return false;
    case DescriptorLine::Outcome::Failed:
        break;
    }
    dropLine(QSerialPort::WriteError, line_.error());
    return false;
}

int QtSerialPort::readByte() {
    return isOpen() ? line_.take() : -1;
}

void QtSerialPort::discard() {
    line_.drop();
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}
