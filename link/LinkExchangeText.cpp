#include "LinkExchangeText.h"

#include "PLSChannels.h"
#include "TargetAddress.h"

namespace LinkExchangeText {

namespace {

QString plsWordName(int command) {
    switch (command) {
    case PLSChannels::ReadScale:
    case PLSChannels::WriteScale:
        return QStringLiteral("scale factor");
    case PLSChannels::ReadOffset:
    case PLSChannels::WriteOffset:
        return QStringLiteral("offset");
    case PLSChannels::ReadPosition:
        return QStringLiteral("position");
    case PLSChannels::ReadSpeed:
        return QStringLiteral("speed");
    default:
        return QStringLiteral("word %1").arg(command);
    }
}

QString channelName(int channel) {
    return QStringLiteral("CH%1").arg(channel);
}

struct OutcomeName {
    LinkExchange::Outcome outcome;
    const char* text;
};
constexpr OutcomeName OutcomeNames[] = {
    {LinkExchange::TimeOut, "time-out with resynchronisation"},
    {LinkExchange::WrongEcho, "wrong echo"},
    {LinkExchange::EchoRepeated, "echo repeated"},
    {LinkExchange::WrongAcknowledge, "wrong acknowledge"},
    {LinkExchange::WrongChecksum, "wrong checksum"},
    {LinkExchange::NoReply, "no reply"},
    {LinkExchange::LineLost, "line lost"},
    {LinkExchange::Retry, "Retry"},
    {LinkExchange::Cancel, "Cancel"},
    {LinkExchange::HandshakeRepeated, "handshake repeated"},
};

} // namespace

QString lineOpen() {
    return QStringLiteral("line open");
}

QString lineClose() {
    return QStringLiteral("line close");
}

QString read(const QString& address) {
    return QStringLiteral("read ") + address;
}

QString write(const QString& address, const QString& value) {
    const bool bit = TargetAddress::ParseAddress(address).bitAccess;
    return (bit ? QStringLiteral("bit write ") : QStringLiteral("write ")) + address +
           QStringLiteral(" = ") + value;
}

QString plsWordRead(int command) {
    return QStringLiteral("PLS read ") + plsWordName(command);
}

QString plsWordWrite(int command, long value) {
    return QStringLiteral("PLS write %1 = %2").arg(plsWordName(command)).arg(value);
}

QString plsChannel(int command, int channel, int a, int b, int flag) {
    if (command == PLSChannels::ChannelPulseTrain)
        return QStringLiteral("PLS pulse train %1 start %2 on %3 off %4")
            .arg(channelName(channel))
            .arg(a)
            .arg(b & 0xFF)
            .arg((b >> 8) & 0xFF);
    if (flag == 0)
        return QStringLiteral("PLS clear ") + channelName(channel);
    return QStringLiteral("PLS setpoint %1 on %2 off %3").arg(channelName(channel)).arg(a).arg(b);
}

QString plsConfigDownload(int group) {
    return QStringLiteral("PLS config download group %1").arg(group);
}

QString plsConfigUpload() {
    return QStringLiteral("PLS config upload");
}

QString plsRecall(int channel, int step) {
    return QStringLiteral("PLS recall %1 step %2").arg(channelName(channel)).arg(step);
}

QString identRead() {
    return QStringLiteral("ident read");
}

QString identWrite() {
    return QStringLiteral("ident write");
}

QString programAttention() {
    return QStringLiteral("program attention");
}

QString programModeEnter() {
    return QStringLiteral("program mode enter");
}

QString programRecord(const QString& address) {
    return QStringLiteral("program record ") + address;
}

QString programModeExit() {
    return QStringLiteral("program mode exit");
}

QString time(const LinkExchange& exchange) {
    return QString::number(static_cast<double>(exchange.at) / 1000.0, 'f', 1);
}

QString marker(const LinkExchange& exchange) {
    return exchange.failed() ? QStringLiteral("!") : QString();
}

QString hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString outcome(const LinkExchange& exchange) {
    if (exchange.outcomes == 0)
        return QStringLiteral("ok");
    QString text;
    for (const OutcomeName& name : OutcomeNames) {
        if ((exchange.outcomes & name.outcome) == 0)
            continue;
        if (!text.isEmpty())
            text += QStringLiteral(", ");
        text += QLatin1String(name.text);
    }
    return text;
}

QString line(const LinkExchange& exchange) {
    return time(exchange) + QStringLiteral(" ms\t") + marker(exchange) + QLatin1Char('\t') +
           exchange.operation + QStringLiteral("\t> ") + hex(exchange.sent) +
           QStringLiteral("\t< ") + hex(exchange.received) + QLatin1Char('\t') + outcome(exchange);
}

QString columnHeadings() {
    return QStringLiteral("time\tfailed\toperation\tsent\treceived\toutcome");
}

} // namespace LinkExchangeText
