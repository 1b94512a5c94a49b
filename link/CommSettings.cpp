#include "CommSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#include "DecimalText.h"
#include "SupportFolder.h"

QString CommSettings::path(const QString& applicationFolder) {
    return SupportFolder::file(applicationFolder, QStringLiteral("RSPort.cfg"));
}

CommSettings::ReadResult CommSettings::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = failure(path, file.errorString());
        return ReadResult::Failed;
    }
    const QByteArray content = file.read(4096);
    if (content.trimmed().isEmpty())
        return ReadResult::Empty;
    QByteArray line = content;
    const int end = line.indexOf('\n');
    if (end >= 0)
        line.truncate(end);
    const QList<QByteArray> fields = line.split(',');
    port = readNumber(fields.value(0));
    speed = readNumber(fields.value(1));
    clamp();
    return ReadResult::Read;
}

// Out-of-range numbers only need to stay out of range: they are clamped or replaced next.
int CommSettings::readNumber(const QByteArray& field) {
    const std::int64_t value = DecimalText::leadingNumber(QString::fromLatin1(field));
    return static_cast<int>(std::clamp<std::int64_t>(value, -1'000'000, 1'000'000));
}

void CommSettings::clamp() {
    port = qBound(MinPort, port, MaxPort);
    if (speed != 9600 && speed != 19200)
        speed = DefaultSpeed;
}

bool CommSettings::write(const QString& path, QString* error) const {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = failure(path, QStringLiteral("Cannot create the folder %1")
                                       .arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = failure(path, file.errorString());
        return false;
    }
    file.write(QStringLiteral("%1,%2\r\n").arg(port).arg(speed).toLatin1());
    if (!file.commit()) {
        if (error)
            *error = failure(path, file.errorString());
        return false;
    }
    return true;
}

QString CommSettings::failure(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString CommSettings::errorMessage(const QString& error, int number) {
    return QStringLiteral("Error Number = %1\r\n\r\n%2").arg(number).arg(error);
}

QString CommSettings::lineSettings() const {
    return QStringLiteral("%1,n,8,1").arg(speed);
}
