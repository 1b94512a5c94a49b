#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "AlarmTables.h"
#include "SetupData.h"
#include "SpeedTrend.h"

class HistoryLog;
class Prompter;
class RSComm;
class SerialPort;

// The program-wide state: created once by main and handed to every window, or built fresh
// by each test. Plain public fields, named as the rest of the program knows them.
class AppContext {
public:
    AppContext(QString applicationFolder, Prompter& prompter);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    const QString& applicationFolder() const { return applicationFolder_; }
    Prompter& prompter() const { return prompter_; }

    // Set by the main window at start-up; the link objects are owned there.
    RSComm* TargetComm = nullptr;
    SerialPort* CommControl = nullptr;

    SetupData CurrentData;
    SetupData SavedData;
    SetupData DefaultData;
    SetupData FileData;
    std::int16_t ParamCount = 0;
    QString ProgramVersion;

    bool OfflineEditing = false;
    bool DataUntitled = false;
    bool TimingReload = false;
    bool PLSDataChanged = false;
    std::int16_t ProcessMode = 0;
    std::int16_t ReportMode = 0;
    QString SystemMessage;

    std::array<QString, AlarmTables::AddressCount> AlarmAdd;
    std::array<QString, AlarmTables::TextCount> AlarmText;

    // The speed of the last hour, fed by the Main Display, kept while other windows are shown.
    SpeedTrend SpeedHistory;
    // The alarm and shift history; none in tests that do not look at it.
    HistoryLog* History = nullptr;
    // The program's own settings file (INI); empty keeps choices for this run only.
    QString SettingsFile;

    // The main window's file names, read by the report and the data transfer too.
    QString gFileNamePath;    // starts as <application folder>/*.sdt
    QString gFileNameTitle;   // file name without folder; empty until opened or saved
    QString gFileNameCaption; // "[unnamed]" or "[" + title + "]"
    QString gUploadNOW;       // general date of the last file open or confirmed upload
    QString gFileExportPath;

    static constexpr const char* TitlePrefix = "VORNA7 - ";
    static constexpr const char* UnnamedCaption = "[unnamed]";
    QString MainCaption() const;

    // Wall-clock time and locale for stamps and displays; tests pin both.
    static QDateTime systemDateTime();
    std::function<QDateTime()> currentDateTime = &AppContext::systemDateTime;
    // The same clock as an instant, for samples that need no calendar (the speed trend reads it
    // every pass). The system clock's instant comes without the local time, whose time-zone
    // lookup checks the zone file on every call.
    qint64 currentMSecsSinceEpoch() const;
    QLocale locale;
    QString NowText() const; // now, in the general date form

    void InitAlarmTables();
    // Builds the version tag and DefaultData, copies it to CurrentData and SavedData, and
    // marks the data untitled.
    void InitSetupTables();

private:
    QString applicationFolder_;
    Prompter& prompter_;
};
