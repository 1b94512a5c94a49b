#include "AppContext.h"

#include <QDir>

#include "GeneralDate.h"
#include "SetupTables.h"

AppContext::AppContext(QString applicationFolder, Prompter& prompter)
    : applicationFolder_(std::move(applicationFolder)), prompter_(prompter) {
    gFileNamePath = QDir(applicationFolder_).filePath(QStringLiteral("*.sdt"));
}

QString AppContext::MainCaption() const {
    return QLatin1String(TitlePrefix) + gFileNameCaption;
}

QDateTime AppContext::systemDateTime() {
    return QDateTime::currentDateTime();
}

qint64 AppContext::currentMSecsSinceEpoch() const {
    using Clock = QDateTime (*)();
    const Clock* clock = currentDateTime.target<Clock>();
    if (clock && *clock == &AppContext::systemDateTime)
        return QDateTime::currentMSecsSinceEpoch();
    return currentDateTime().toMSecsSinceEpoch();
}

QString AppContext::NowText() const {
    return GeneralDate::format(currentDateTime(), locale);
}

void AppContext::InitAlarmTables() {
    AlarmAdd = AlarmTables::addresses();
    AlarmText = AlarmTables::texts();
}

void AppContext::InitSetupTables() {
    ParamCount = SetupTables::ParamCount;
    ProgramVersion = SetupTables::programVersion();
    DefaultData = SetupTables::defaultData(ProgramVersion);
    CurrentData = DefaultData;
    SavedData = CurrentData;
    DataUntitled = true;
}
