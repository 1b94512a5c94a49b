#include "GeneralDate.h"

QString GeneralDate::format(const QDateTime& moment, const QLocale& locale) {
    const QString datePattern = fourDigitYear(locale.dateFormat(QLocale::ShortFormat));
    const QString timePattern = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return locale.toString(moment.date(), datePattern) + QLatin1Char(' ') +
           locale.toString(moment.time(), timePattern);
}

QString GeneralDate::fourDigitYear(const QString& datePattern) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < datePattern.size();) {
        const QChar c = datePattern.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result.append(c);
            ++i;
            continue;
        }
        if (quoted || c != QLatin1Char('y')) {
            result.append(c);
            ++i;
            continue;
        }
        while (i < datePattern.size() && datePattern.at(i) == QLatin1Char('y'))
            ++i;
        result.append(QStringLiteral("yyyy"));
    }
    return result;
}

QString GeneralDate::withoutTimeZone(const QString& timePattern) {
    QString result;
    bool quoted = false;
    for (const QChar c : timePattern) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result.append(c);
    }
    return result.trimmed();
}
