#include "CtlDataCommands.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <ostream>

#include "AppContext.h"
#include "AtomicFile.h"
#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "DataTransfer.h"
#include "DataTransferCommands.h"
#include "RSComm.h"
#include "RSCommTransferLink.h"
#include "SdtFile.h"
#include "SetupTables.h"
#include "modReport.h"

CtlDataCommands::CtlDataCommands(QString applicationFolder, std::ostream& err)
    : applicationFolder_(std::move(applicationFolder)), err_(err) {}

int CtlDataCommands::fileError(const QString& sentence) {
    err_ << "vorna7ctl: " << ConsolePrompter::oneLine(sentence).toStdString() << std::endl;
    return CtlCommands::FileError;
}

std::optional<SetupData> CtlDataCommands::readSetupFile(const QString& path) {
    SdtFile::Decoded decoded = SdtFile::read(path);
    if (!decoded.data) {
        fileError(decoded.error);
        return std::nullopt;
    }
    decoded.data->resizeTables(SetupTables::ParamCount);
    return decoded.data;
}

int CtlDataCommands::uploadData(RSComm& link, Prompter& prompter, const QString& outFile) {
    AppContext context(applicationFolder_, prompter);
    context.InitSetupTables();
    context.ProcessMode = DataTransfer::UploadMode;
    RSCommTransferLink transferLink(link);
    DataTransfer transfer(context, transferLink);
    transfer.RunProcess();
    if (!transfer.completed())
        return CtlCommands::LinkFailure; // nothing written: a script must not take it for a backup
    const QString error = SdtFile::write(outFile, context.CurrentData);
    return error.isEmpty() ? CtlCommands::Success : fileError(error);
}

int CtlDataCommands::downloadData(RSComm& link, Prompter& prompter, const SetupData& data) {
    AppContext context(applicationFolder_, prompter);
    context.InitSetupTables();
    context.CurrentData = data;
    // As File Open warns: a file of another version may hold its tables differently.
    if (data.Version != context.ProgramVersion)
        err_ << "vorna7ctl: the file was created by set-up program version "
             << data.Version.toStdString() << "; data tables may not be properly aligned"
             << std::endl;
    RSCommTransferLink transferLink(link);
    DataTransferCommands commands(context, transferLink,
                                  {[] {}, [](DataTransfer& transfer) { transfer.RunProcess(); }});
    switch (commands.mnuFileDownload_Click()) {
    case DataTransferCommands::Outcome::Completed:
        return CtlCommands::Success;
    case DataTransferCommands::Outcome::Incomplete:
        return CtlCommands::LinkFailure;
    case DataTransferCommands::Outcome::Declined:
        break;
    }
    err_ << "vorna7ctl: download-data: nothing was sent" << std::endl;
    return CtlCommands::Refused;
}

int CtlDataCommands::report(Prompter& prompter, const QString& dataFile, const SetupData& data,
                            const QString& pdfFile) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("VORNA7"));
    QPainter painter;
    if (!painter.begin(&writer))
        return fileError(QStringLiteral("The report could not be drawn."));
    AppContext context(applicationFolder_, prompter);
    context.CurrentData = data;
    context.gFileNameCaption = QStringLiteral("[%1]").arg(QFileInfo(dataFile).fileName());
    writer.setTitle(QStringLiteral("VORNA7 Report: ") + context.gFileNameCaption);
    modReport report(
        painter, [&writer] { return writer.newPage(); }, context);
    const bool drawn = report.PrintSetupReport(context.gFileNameCaption);
    if (!painter.end() || !drawn)
        return fileError(QStringLiteral("The report could not be drawn."));
    const QString error = AtomicFile::write(pdfFile, bytes);
    return error.isEmpty() ? CtlCommands::Success
                           : fileError(QStringLiteral("Cannot write %1: %2.").arg(pdfFile, error));
}
