#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Date and time in the "general date" form of the user's locale: the short date with a
// four-digit year, a blank, and the time with seconds but without a time zone
// ("3/14/2024 2:05:07 PM" in American English). Used for file-open and upload stamps and
// file dates.
class GeneralDate {
public:
    static QString format(const QDateTime& moment, const QLocale& locale);

private:
    static QString fourDigitYear(const QString& datePattern);
    static QString withoutTimeZone(const QString& timePattern);
};
