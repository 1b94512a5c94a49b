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

    DataTransferCommands(AppContext& context, TransferLink& link, Window window);

    void mnuFileUpload_Click();
    void mnuFileDownload_Click();

private:
    // False when nothing was transferred (the link is not online).
    bool ProcessData(std::int16_t Mode);
    bool switchedOnline();
    int ask(const QString& title, const QString& text);
    void inform(const QString& title, const QString& text);

    AppContext& context_;
    TransferLink& link_;
    Window window_;
};
