#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class AppContext;
class DataTransfer;
class TransferLink;

// File > Upload (save) Data and File > Download Data: their questions, the switch to online
// mode, and the processing dialog (shown by the main window through `runDialog`).
class DataTransferCommands {
public:
    struct Window {
        // Goes online as View > Online Data does.
        std::function<void()> goOnline;
        // Shows the processing dialog modally until the transfer has run.
        std::function<void(DataTransfer&)> runDialog;
    };

    // Declined: nothing was sent or changed (a question answered No, or not online).
    enum class Outcome { Declined, Incomplete, Completed };

    DataTransferCommands(AppContext& context, TransferLink& link, Window window);

    Outcome mnuFileUpload_Click();
    Outcome mnuFileDownload_Click();

private:
    Outcome ProcessData(std::int16_t Mode);
    bool switchedOnline();
    int ask(const QString& title, const QString& text);
    void inform(const QString& title, const QString& text);

    AppContext& context_;
    TransferLink& link_;
    Window window_;
};
