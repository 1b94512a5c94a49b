#include "CtlSession.h"

#include <QFileInfo>
#include <optional>
#include <sstream>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "CtlDataCommands.h"
#include "CtlPLSCommands.h"
#include "CtlProgramCommands.h"
#include "CtlQuestionPrompter.h"
#include "LinkTrace.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "SteadyClock.h"
#include "StopSignal.h"

CtlSession::CtlSession(CtlOptions options, AppLayout programLayout, std::ostream& out,
                       std::ostream& err)
    : options_(std::move(options)), programLayout_(std::move(programLayout)), out_(out), err_(err) {
}

QString CtlSession::applicationFolder() const {
    const QString folder =
        options_.appDir.isEmpty() ? programLayout_.applicationFolder() : options_.appDir;
    return QFileInfo(folder).absoluteFilePath();
}

int CtlSession::runPLS(RSComm& link, ConsolePrompter& prompter) {
    CtlPLSCommands pls(link, prompter, out_, err_);
    const QList<int>& values = options_.plsValues;
    switch (options_.plsAction) {
    case CtlOptions::PLSAction::Status:
        return pls.status();
    case CtlOptions::PLSAction::Config:
        return pls.config();
    case CtlOptions::PLSAction::Recall:
        return pls.recall(values.value(0));
    case CtlOptions::PLSAction::Set:
        return pls.set(values.value(0), values.value(1), values.value(2));
    case CtlOptions::PLSAction::Pulse:
        return pls.pulse(values.value(0), values.value(1), values.value(2), values.value(3));
    case CtlOptions::PLSAction::Clear:
        return pls.clear(values.value(0));
    case CtlOptions::PLSAction::Offset:
        return pls.offset(values.value(0));
    }
    return CtlCommands::BadUsage;
}

int CtlSession::checkProgram(CtlProgramCommands& program) {
    switch (options_.command) {
    case CtlOptions::Command::DownloadProgram:
        return program.checkDownload(options_.programFile);
    case CtlOptions::Command::UploadProgram:
        return program.checkUpload(options_.programFile);
    default:
        return program.checkVerify(options_.programFile);
    }
}

int CtlSession::runLinkCommand(RSComm& link, ConsolePrompter& prompter, CtlCommands& commands,
                               CtlProgramCommands& program,
                               const std::optional<SetupData>& fileData) {
    CtlDataCommands data(applicationFolder(), err_);
    switch (options_.command) {
    case CtlOptions::Command::Read:
        return commands.read(options_.addresses);
    case CtlOptions::Command::Write:
        return commands.write(options_.addresses.value(0), options_.value);
    case CtlOptions::Command::Watch:
        return commands.watch(options_.addresses, options_.count, options_.intervalMs,
                              options_.csv);
    case CtlOptions::Command::PLS:
        return runPLS(link, prompter);
    case CtlOptions::Command::Board:
        return commands.board(options_.boardType);
    case CtlOptions::Command::UploadData:
        return data.uploadData(link, prompter, options_.outFile);
    case CtlOptions::Command::DownloadData: {
        std::istringstream noAnswer;
        CtlQuestionPrompter questions(prompter, options_.yes, terminal_ ? *terminal_ : noAnswer,
                                      err_);
        return data.downloadData(link, questions, *fileData);
    }
    case CtlOptions::Command::DownloadProgram:
        return program.download();
    case CtlOptions::Command::UploadProgram:
        return program.upload();
    case CtlOptions::Command::VerifyProgram:
        return program.verify();
    case CtlOptions::Command::Report:
        break;
    }
    return CtlCommands::BadUsage;
}

int CtlSession::run() {
    const QString appDir = applicationFolder();
    SteadyClock clock;
    StopSignal stop;
    ConsolePrompter prompter(err_, options_.retries);
    prompter.setGiveUp([&stop] { return stop.requested(); });

    // The set-up file and the question are settled before anything goes on the line.
    std::optional<SetupData> fileData;
    if (!options_.dataFile.isEmpty()) {
        fileData = CtlDataCommands(appDir, err_).readSetupFile(options_.dataFile);
        if (!fileData)
            return CtlCommands::FileError;
    }
    if (options_.command == CtlOptions::Command::Report)
        return CtlDataCommands(appDir, err_)
            .report(prompter, options_.dataFile, *fileData, options_.outFile);
    if (options_.command == CtlOptions::Command::DownloadData && !options_.yes && !terminal_) {
        err_ << "vorna7ctl: download-data asks before it sends: give --yes when no terminal "
                "can answer"
             << std::endl;
        return CtlCommands::BadUsage;
    }

    QtSerialPort line(appDir);
    if (!options_.devicePath.isEmpty())
        line.setDevicePath(options_.devicePath);
    RSComm link(appDir, clock, prompter);
    LinkTrace trace(err_);
    if (options_.trace)
        link.setObserver(&trace);
    link.setShippedFolder(programLayout_.shippedFolder());
    if (options_.overridesSettings())
        link.overrideSettings(options_.port, options_.speed);
    // download-data answers its own question through CtlQuestionPrompter.
    prompter.setAnswerYes(options_.yes && options_.isProgramCommand());
    CtlProgramCommands program(link, prompter, out_, err_);
    if (options_.isProgramCommand()) {
        if (const int refused = checkProgram(program); refused != CtlCommands::Success)
            return refused;
    }
    link.OpenRSComm(line);
    if (!link.OnlineMode) {
        link.CloseRSComm();
        return CtlCommands::LinkFailure;
    }

    CtlCommands commands(link, prompter, clock, stop, out_, err_);
    const int status = runLinkCommand(link, prompter, commands, program, fileData);
    link.CloseRSComm();
    return status;
}
