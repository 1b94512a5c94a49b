#pragma once

#include <QList>
#include <QString>

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

    // The set-up parameters (0-8) and the channel setpoints: what a download overwrites.
    static QList<Difference> setupAndSetpoints(const SetupData& first, const SetupData& second);
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
};
