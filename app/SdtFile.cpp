#include "SdtFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <limits>

#include "AtomicFile.h"
#include "ByteReader.h"

namespace {
void appendU16(QByteArray& out, std::uint16_t value) {
    char bytes[2];
    qToLittleEndian<quint16>(value, bytes);
    out.append(bytes, 2);
}

void appendI16(QByteArray& out, std::int16_t value) {
    char bytes[2];
    qToLittleEndian<qint16>(value, bytes);
    out.append(bytes, 2);
}

void appendI32(QByteArray& out, std::int32_t value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    out.append(bytes, 4);
}

QString endsInside(const QString& part) {
    return QStringLiteral("The file ends inside %1.").arg(part);
}

QString fileName(const QString& path) {
    return QDir::toNativeSeparators(path);
}
} // namespace

bool SdtFile::appendText(QByteArray& out, const QString& text) {
    const QByteArray bytes = text.toLatin1();
    if (bytes.size() > std::numeric_limits<std::uint16_t>::max())
        return false;
    appendU16(out, static_cast<std::uint16_t>(bytes.size()));
    out.append(bytes);
    return true;
}

void SdtFile::appendDescriptor(QByteArray& out, std::size_t count) {
    appendU16(out, 1);
    appendI32(out, static_cast<std::int32_t>(count));
    appendI32(out, 0);
}

SdtFile::Encoded SdtFile::encode(const SetupData& data) {
    constexpr auto maxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    if (data.ParamAdd.size() > maxCount || data.ParamValue.size() > maxCount)
        return {{}, QStringLiteral("The parameter tables are too large for a set-up file.")};
    Encoded result;
    QByteArray& out = result.bytes;
    if (!appendText(out, data.Version))
        return {{}, QStringLiteral("The version tag is too long for a set-up file.")};
    appendDescriptor(out, data.ParamAdd.size());
    for (const QString& address : data.ParamAdd) {
        if (!appendText(out, address))
            return {{}, QStringLiteral("A parameter address is too long for a set-up file.")};
    }
    appendDescriptor(out, data.ParamValue.size());
    for (std::int32_t value : data.ParamValue)
        appendI32(out, value);
    appendI16(out, data.NumPLSChannels);
    appendI16(out, data.PLSScale);
    appendI16(out, data.ResolverOffset);
    appendI16(out, data.PLSProgram);
    for (std::int16_t advance : data.SpeedComp)
        appendI16(out, advance);
    for (int column = 0; column < 2; ++column) {
        for (const auto& channel : data.ChanSetpoint)
            appendI16(out, channel[static_cast<std::size_t>(column)]);
    }
    return result;
}

// Reads a table descriptor and checks its count against the bytes left, so nothing is
// ever allocated from a count the file cannot back.
QString SdtFile::readTable(ByteReader& in, int elementBytes, const char* table,
                           std::int32_t& count) {
    std::uint16_t dimensions = 0;
    std::int32_t lowerBound = 0;
    if (!in.readU16(dimensions) || !in.readI32(count) || !in.readI32(lowerBound))
        return endsInside(QStringLiteral("the ") + QLatin1String(table));
    if (dimensions != 1)
        return QStringLiteral("The %1 has %2 dimensions; a set-up file has 1.")
            .arg(QLatin1String(table))
            .arg(dimensions);
    if (lowerBound != 0)
        return QStringLiteral("The %1 starts at index %2; a set-up file starts at 0.")
            .arg(QLatin1String(table))
            .arg(lowerBound);
    if (count < 0)
        return QStringLiteral("The %1 claims a negative number of elements (%2).")
            .arg(QLatin1String(table))
            .arg(count);
    if (count > in.remaining() / elementBytes)
        return QStringLiteral("The %1 claims %2 elements, more than the file holds.")
            .arg(QLatin1String(table))
            .arg(count);
    return {};
}

SdtFile::Decoded SdtFile::decode(const QByteArray& bytes) {
    ByteReader in(bytes);
    SetupData data;
    Decoded result;

    if (bytes.isEmpty())
        return {std::nullopt, QStringLiteral("The file is empty."), 0};
    std::uint16_t length = 0;
    QByteArray text;
    if (!in.readU16(length) || !in.readBytes(length, text))
        return {std::nullopt, endsInside(QStringLiteral("the version tag")), 0};
    data.Version = QString::fromLatin1(text);

    std::int32_t count = 0;
    if (QString error = readTable(in, 2, "address table", count); !error.isEmpty())
        return {std::nullopt, error, 0};
    data.ParamAdd.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        if (!in.readU16(length) || !in.readBytes(length, text))
            return {std::nullopt, endsInside(QStringLiteral("the address table")), 0};
        data.ParamAdd.push_back(QString::fromLatin1(text));
    }

    if (QString error = readTable(in, 4, "value table", count); !error.isEmpty())
        return {std::nullopt, error, 0};
    data.ParamValue.resize(static_cast<std::size_t>(count));
    for (std::int32_t& value : data.ParamValue) {
        if (!in.readI32(value))
            return {std::nullopt, endsInside(QStringLiteral("the value table")), 0};
    }

    bool complete = in.readI16(data.NumPLSChannels) && in.readI16(data.PLSScale) &&
                    in.readI16(data.ResolverOffset) && in.readI16(data.PLSProgram);
    for (std::int16_t& advance : data.SpeedComp)
        complete = complete && in.readI16(advance);
    for (std::size_t column = 0; column < 2; ++column) {
        for (auto& channel : data.ChanSetpoint)
            complete = complete && in.readI16(channel[column]);
    }
    if (!complete)
        return {std::nullopt, endsInside(QStringLiteral("the PLS data")), 0};

    result.data = std::move(data);
    result.consumed = in.position();
    return result;
}

SdtFile::Decoded SdtFile::read(const QString& path) {
    QFile file(path);
    auto failed = [&](const QString& reason) {
        return Decoded{std::nullopt,
                       QStringLiteral("The set-up data file \"%1\" could not be read:\r\n%2")
                           .arg(fileName(path), reason),
                       0};
    };
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    const QByteArray bytes = file.read(ReadLimit);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    Decoded result = decode(bytes);
    if (!result.data)
        return failed(result.error);
    return result;
}

QString SdtFile::write(const QString& path, const SetupData& data) {
    auto failed = [&](const QString& reason) {
        return QStringLiteral("The set-up data file \"%1\" could not be written:\r\n%2")
            .arg(fileName(path), reason);
    };
    const Encoded encoded = encode(data);
    if (!encoded.error.isEmpty())
        return failed(encoded.error);
    const QString reason = AtomicFile::write(path, encoded.bytes);
    return reason.isEmpty() ? QString() : failed(reason);
}
