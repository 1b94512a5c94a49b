#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

#include "ParameterNames.h"
#include "SetupData.h"

// Which values two sets of set-up data hold differently, named for the operator.
class SetupDifferences {
public:
    struct Difference {
        QString name;
        QString first;
        QString second;
        bool operator==(const Difference&) const = default;
    };

    // What the controller reported before a download; a value it did not report is unknown.
    struct Reported {
        SetupData data;
        std::array<bool, ParameterNames::SetupLast + 1> parameters{};
        bool configuration = false; // channel count, PLS program, speed compensation
        bool scale = false;
        std::array<bool, SetupData::ChannelCount> channels{};
        QStringList unread; // the addresses and channels, as the operator is told them
    };

    // Everything a download changes: set-up parameters 0-8, the PLS configuration and scale,
    // and the channel setpoints; memory first, "unknown" for what the controller did not report.
    static QList<Difference> downloaded(const SetupData& memory, const Reported& controller);
    // Everything an upload brings: parameters 0-14, the PLS configuration and setpoints.
    static QList<Difference> uploaded(const SetupData& first, const SetupData& second);

    // One "name: first / second" line each, CR LF ended; a long list is cut after `maxLines`
    // with a line saying how many more there are, so the message still fits on the screen.
    static QString lines(const QList<Difference>& differences, int maxLines = 24);

private:
    static void addParameters(QList<Difference>& out, const SetupData& first,
                              const SetupData& second, int last);
    static void addSetpoints(QList<Difference>& out, const SetupData& first,
                             const SetupData& second);
    static void add(QList<Difference>& out, const QString& name, std::int64_t first,
                    std::int64_t second);
    static void addReported(QList<Difference>& out, const QString& name, std::int64_t memory,
                            std::int64_t controller, bool reported);
};
