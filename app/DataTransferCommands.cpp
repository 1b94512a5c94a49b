#include "DataTransferCommands.h"

#include "AppContext.h"
#include "DataTransfer.h"
#include "Prompter.h"
#include "SetupDifferences.h"
#include "TransferLink.h"

namespace {

const QString Paragraph = QStringLiteral("\r\n\r\n");
const QString Continue = QStringLiteral("Do You Wish to Continue?");
const QString UploadTitle = QStringLiteral("Data Upload");
const QString DownloadTitle = QStringLiteral("Data Download");

QString downloadComparison(const SetupDifferences::Reported& controller,
                           const QList<SetupDifferences::Difference>& differences) {
    QString text;
    if (differences.isEmpty())
        text = QStringLiteral("The set-up parameters, PLS configuration and channel setpoints in "
                              "memory are the same as in the K6686.") +
               Paragraph;
    else
        text =
            QStringLiteral("These values in memory differ from the K6686 (memory / K6686):\r\n") +
            SetupDifferences::lines(differences) + QStringLiteral("\r\n");
    if (!controller.unread.isEmpty())
        text += QStringLiteral("The K6686 could not be read: ") +
                controller.unread.join(QStringLiteral(", ")) + Paragraph;
    return text;
}

QString uploadSummary(const QList<SetupDifferences::Difference>& differences) {
    if (differences.isEmpty())
        return QStringLiteral("The upload changed no values in memory.");
    return QStringLiteral("These values in memory were changed by the upload (before / "
                          "after):\r\n") +
           SetupDifferences::lines(differences);
}

} // namespace

DataTransferCommands::DataTransferCommands(AppContext& context, TransferLink& link, Window window)
    : context_(context), link_(link), window_(std::move(window)) {}

int DataTransferCommands::ask(const QString& title, const QString& text) {
    return context_.prompter().ask(title, text, Prompter::Icon::Question, Prompter::Buttons::YesNo);
}

void DataTransferCommands::inform(const QString& title, const QString& text) {
    context_.prompter().ask(title, text, Prompter::Icon::Information, Prompter::Buttons::OK);
}

DataTransferCommands::Outcome DataTransferCommands::mnuFileUpload_Click() {
    if (ask(UploadTitle, QStringLiteral("You are about to Upload Data from the K6686") + Paragraph +
                             Continue) != Prompter::Yes)
        return Outcome::Declined;
    context_.gUploadNOW = context_.NowText();
    const SetupData before = context_.CurrentData;
    const Outcome outcome = ProcessData(DataTransfer::UploadMode);
    if (outcome != Outcome::Declined)
        inform(UploadTitle,
               uploadSummary(SetupDifferences::uploaded(before, context_.CurrentData)));
    return outcome;
}

// The controller is read before the question, under the processing dialog, so the operator
// sees what the download would overwrite; that needs the link online first. Values it does
// not report are named, and the question is still asked.
DataTransferCommands::Outcome DataTransferCommands::mnuFileDownload_Click() {
    if (!switchedOnline())
        return Outcome::Declined;
    context_.ProcessMode = DataTransfer::CompareMode;
    DataTransfer reader(context_, link_);
    window_.runDialog(reader);
    if (link_.CommError()) {
        context_.prompter().ask(
            QStringLiteral("Process Error"),
            QStringLiteral("Error Processing Request") + Paragraph +
                QStringLiteral("Cannot read the K6686 to compare: nothing was downloaded."),
            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
        return Outcome::Incomplete;
    }
    if (reader.CancelRequested)
        return Outcome::Declined;
    const QString comparison = downloadComparison(
        reader.reported(), SetupDifferences::downloaded(context_.CurrentData, reader.reported()));
    if (ask(DownloadTitle, QStringLiteral("You are about to Download Data to the K6686") +
                               Paragraph + comparison + Continue) != Prompter::Yes)
        return Outcome::Declined;
    return ProcessData(DataTransfer::DownloadMode);
}

bool DataTransferCommands::switchedOnline() {
    if (link_.OnlineMode())
        return true;
    if (ask(QStringLiteral("Program Offline"),
            QStringLiteral("Program is Currently OFFLINE") + Paragraph +
                QStringLiteral("Do You Wish to Switch to ONLINE MODE to Continue?")) !=
        Prompter::Yes)
        return false;
    window_.goOnline();
    return link_.OnlineMode() && !link_.CommError();
}

DataTransferCommands::Outcome DataTransferCommands::ProcessData(std::int16_t Mode) {
    if (!switchedOnline())
        return Outcome::Declined;
    context_.ProcessMode = Mode;
    DataTransfer transfer(context_, link_);
    window_.runDialog(transfer);
    return transfer.completed() ? Outcome::Completed : Outcome::Incomplete;
}
