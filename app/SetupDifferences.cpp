#include "SetupDifferences.h"

#include "ParameterNames.h"

namespace {

const QString Unknown = QStringLiteral("unknown");

QString channelName(int channel) {
    return QStringLiteral("CH0%1").arg(channel);
}

QString setpointsText(const std::array<std::int16_t, 2>& setpoints) {
    return QStringLiteral("%1 - %2")
        .arg(setpoints[SetupData::OnColumn])
        .arg(setpoints[SetupData::OffColumn]);
}

} // namespace

void SetupDifferences::add(QList<Difference>& out, const QString& name, std::int64_t first,
                           std::int64_t second) {
    if (first != second)
        out.append({name, QString::number(first), QString::number(second)});
}

void SetupDifferences::addParameters(QList<Difference>& out, const SetupData& first,
                                     const SetupData& second, int last) {
    for (int i = 0; i <= last; ++i)
        add(out, ParameterNames::name(i), first.valueAt(i), second.valueAt(i));
}

void SetupDifferences::addSetpoints(QList<Difference>& out, const SetupData& first,
                                    const SetupData& second) {
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        const auto& a = first.ChanSetpoint[static_cast<std::size_t>(c)];
        const auto& b = second.ChanSetpoint[static_cast<std::size_t>(c)];
        if (a != b)
            out.append({QStringLiteral("%1 Setpoints (ON - OFF)").arg(channelName(c)),
                        setpointsText(a), setpointsText(b)});
    }
}

void SetupDifferences::addReported(QList<Difference>& out, const QString& name, std::int64_t memory,
                                   std::int64_t controller, bool reported) {
    if (reported)
        add(out, name, memory, controller);
    else
        out.append({name, QString::number(memory), Unknown});
}

QList<SetupDifferences::Difference> SetupDifferences::downloaded(const SetupData& memory,
                                                                 const Reported& controller) {
    QList<Difference> out;
    const SetupData& board = controller.data;
    for (int i = 0; i <= ParameterNames::SetupLast; ++i)
        addReported(out, ParameterNames::name(i), memory.valueAt(i), board.valueAt(i),
                    controller.parameters[static_cast<std::size_t>(i)]);
    addReported(out, QStringLiteral("Number of PLS Channels"), memory.NumPLSChannels,
                board.NumPLSChannels, controller.configuration);
    addReported(out, QStringLiteral("PLS Scale Factor"), memory.PLSScale, board.PLSScale,
                controller.scale);
    addReported(out, QStringLiteral("PLS Program"), memory.PLSProgram, board.PLSProgram,
                controller.configuration);
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        const auto k = static_cast<std::size_t>(c);
        addReported(out, QStringLiteral("%1 Speed Compensation (msec)").arg(channelName(c)),
                    memory.SpeedComp[k], board.SpeedComp[k], controller.configuration);
    }
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        const auto k = static_cast<std::size_t>(c);
        const auto& a = memory.ChanSetpoint[k];
        const auto& b = board.ChanSetpoint[k];
        if (!controller.channels[k] || a != b)
            out.append({QStringLiteral("%1 Setpoints (ON - OFF)").arg(channelName(c)),
                        setpointsText(a), controller.channels[k] ? setpointsText(b) : Unknown});
    }
    return out;
}

QList<SetupDifferences::Difference> SetupDifferences::uploaded(const SetupData& first,
                                                               const SetupData& second) {
    QList<Difference> out;
    addParameters(out, first, second, ParameterNames::ShiftLast);
    add(out, QStringLiteral("Number of PLS Channels"), first.NumPLSChannels, second.NumPLSChannels);
    add(out, QStringLiteral("PLS Scale Factor"), first.PLSScale, second.PLSScale);
    add(out, QStringLiteral("Resolver Offset"), first.ResolverOffset, second.ResolverOffset);
    add(out, QStringLiteral("PLS Program"), first.PLSProgram, second.PLSProgram);
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        const auto k = static_cast<std::size_t>(c);
        add(out, QStringLiteral("%1 Speed Compensation (msec)").arg(channelName(c)),
            first.SpeedComp[k], second.SpeedComp[k]);
    }
    addSetpoints(out, first, second);
    return out;
}

QString SetupDifferences::lines(const QList<Difference>& differences, int maxLines) {
    QString text;
    for (qsizetype i = 0; i < differences.size() && i < maxLines; ++i) {
        const Difference& d = differences[i];
        text += QStringLiteral("%1: %2 / %3\r\n").arg(d.name, d.first, d.second);
    }
    if (differences.size() > maxLines)
        text += QStringLiteral("... and %1 more\r\n").arg(differences.size() - maxLines);
    return text;
}
