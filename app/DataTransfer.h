#pragma once

#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <optional>

#include "SetupData.h"
#include "SetupDifferences.h"

class AppContext;
class TransferLink;

// One whole-data transfer between CurrentData and the main controller, in the order the
// processing dialog runs it: parameters, then the PLS. The dialog shows what it is told
// through View and lets its events run where the transfer asks.
class DataTransfer {
public:
    static constexpr std::int16_t UploadMode = 0;
    static constexpr std::int16_t DownloadMode = 10;
    // Reads what a download would change, for the question before it; sends nothing.
    static constexpr std::int16_t CompareMode = 20;
    static constexpr int UploadLastParam = 14;
    static constexpr int DownloadLastParam = 8;

    struct View {
        std::function<void()> letEventsRun = [] {};
        std::function<void(const QString&)> showStatus = [](const QString&) {};
        std::function<void(int)> showProgress = [](int) {};
    };

    DataTransfer(AppContext& context, TransferLink& link);

    void setView(View view) { view_ = std::move(view); }

    // What the dialog shows when it loads, for a ProcessMode.
    static QString StatusAtLoad(std::int16_t mode);
    static int ProgressMaximum(std::int16_t mode);

    // The transfer ProcessMode asks for; ends with "Process Error" when it did not complete.
    void RunProcess();
    void cmdCancel_Click() { CancelRequested = true; }
    bool CancelRequested = false;
    // After RunProcess: false when the link failed or something was refused.
    bool completed() const { return completed_; }

    // The PLS configuration as the download sends it (24 values).
    static QVector<int> DownloadConfigList(const SetupData& data);

    // After a comparison run: what the controller reported, starting from CurrentData.
    const SetupDifferences::Reported& reported() const { return reported_; }

private:
    void uploadParameters(int last);
    void downloadParameters(int last);
    bool stopParameters();
    void uploadPLS();
    void downloadPLS();
    bool takeConfiguration(SetupData& data);
    void uploadWord(const QString& text, std::int16_t& into);
    static std::optional<std::int16_t> plsWord(const QString& text);
    void readForComparison();
    void compareParameters();
    void comparePLS();
    bool recallChannels(SetupData& data);
    bool recallChannel(int channel, SetupData& data);
    bool readParameter(int index, SetupData& data);
    void reportIncomplete();

    AppContext& context_;
    TransferLink& link_;
    View view_;
    bool failed_ = false;     // a refused PLS operation
    bool incomplete_ = false; // a value the controller did not deliver or take
    bool completed_ = false;
    SetupDifferences::Reported reported_;
};
