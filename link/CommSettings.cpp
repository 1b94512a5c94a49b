#include "CommSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The whole number a text begins with after blanks; 0 when it begins with none.
long long leadingNumber(const QByteArray& text) {
    const QByteArray trimmed = text.trimmed();
    long long value = 0;
    int i = 0;
    bool negative = false;
    if (i < trimmed.size() && (trimmed[i] == '-' || trimmed[i] == '+'))
        negative = trimmed[i++] == '-';
    for (; i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9'; ++i) {
        if (value < 100'000'000)
            value = value * 10 + (trimmed[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace

CommSettings::ReadResult CommSettings::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
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
    // leadingNumber stops growing past 1e9, so the values fit an int.
    port = static_cast<int>(leadingNumber(fields.value(0)));
    speed = static_cast<int>(leadingNumber(fields.value(1)));
    clamp();
    return ReadResult::Read;
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
            *error = QStringLiteral("Cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(QStringLiteral("%1,%2\r\n").arg(port).arg(speed).toLatin1());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString CommSettings::lineSettings() const {
    return QStringLiteral("%1,n,8,1").arg(speed);
}
