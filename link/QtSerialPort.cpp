#include "QtSerialPort.h"

#include <QFileInfo>
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
    findReadNotifier();
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

// Every byte is read by a blocking wait, so the port has no business in the event loop. Left
// there, each turn of the loop polls the line, and a terminal's poll waits for the driver to
// hand over pending input: time the next exchange waits for. The port's read notifier is its
// child; where it is not found the port only costs that time.
void QtSerialPort::findReadNotifier() {
    readNotifier_.clear();
    for (QSocketNotifier* notifier : port_.findChildren<QSocketNotifier*>()) {
        if (notifier->type() == QSocketNotifier::Read)
            readNotifier_ = notifier;
    }
}

// The port switches its notifiers on again as it reads and writes. Once the link is done with
// the line, a flush reports the finished write, which switches off the write notifier, and the
// read notifier is switched off; within an operation they stay as the port leaves them.
void QtSerialPort::idle() {
    if (!isOpen())
        return;
    port_.flush();
    keepOutOfTheEventLoop();
}

void QtSerialPort::keepOutOfTheEventLoop() {
    if (readNotifier_ && readNotifier_->isEnabled())
        readNotifier_->setEnabled(false);
}

void QtSerialPort::close() {
    if (port_.isOpen())
        port_.close();
}

bool QtSerialPort::isOpen() const {
    return port_.isOpen() && !dropped_;
}

bool QtSerialPort::lineIsDead() {
    const QSerialPort::SerialPortError error = port_.error();
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
        error == QSerialPort::WriteError || error == QSerialPort::DeviceNotFoundError ||
        !port_.isOpen()) {
        fail(8000 + static_cast<int>(error), QStringLiteral("QSerialPort"), port_.errorString());
        dropped_ = true;
        close();
        return true;
    }
    port_.clearError();
    return false;
}

int QtSerialPort::bytesWaiting() {
    if (!isOpen())
        return 0;
    if (port_.bytesAvailable() == 0)
        port_.waitForReadyRead(0);
    return static_cast<int>(port_.bytesAvailable());
}

SerialPort::WaitResult QtSerialPort::waitForByte(Clock& clock, Clock::Micros deadline) {
    while (isOpen()) {
        if (port_.bytesAvailable() > 0)
            return WaitResult::ByteReady;
        const Clock::Micros remaining = deadline - clock.now();
        if (remaining <= 0)
            return WaitResult::TimedOut;
        const int ms = static_cast<int>(std::ceil(static_cast<double>(remaining) / 1000.0));
        if (!port_.waitForReadyRead(ms)) {
            if (port_.bytesAvailable() > 0)
                return WaitResult::ByteReady;
            if (port_.error() != QSerialPort::TimeoutError &&
                port_.error() != QSerialPort::NoError && lineIsDead())
                return WaitResult::LineDropped;
            port_.clearError();
        }
    }
    return WaitResult::LineDropped;
}

bool QtSerialPort::send(const QByteArray& bytes) {
    if (!isOpen())
        return false;
    if (port_.write(bytes) != bytes.size()) {
        lineIsDead();
        return false;
    }
    // Hand the byte to the driver at once; only a full driver buffer needs a wait.
    port_.flush();
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(1000)) {
            if (lineIsDead())
                return false;
            fail(8000 + static_cast<int>(QSerialPort::TimeoutError), QStringLiteral("QSerialPort"),
                 QStringLiteral("The line did not accept the byte within 1 s."));
            return false;
        }
    }
    return true;
}

int QtSerialPort::readByte() {
    char byte = 0;
    if (!isOpen() || !port_.getChar(&byte))
        return -1;
    return static_cast<unsigned char>(byte);
}

void QtSerialPort::discard() {
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}
