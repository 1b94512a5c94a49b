#include "CtlSession.h"

#include <QFileInfo>
#include <optional>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "CtlPLSCommands.h"
#include "CtlProgramCommands.h"
#include "QtSerialPort.h"
#include "RSComm.h"
#include "SteadyClock.h"
#include "StopSignal.h"
#include "TracingSerialPort.h"

CtlSession::CtlSession(CtlOptions options, QString defaultAppDir, std::ostream& out,
                       std::ostream& err)
    : options_(std::move(options)), defaultAppDir_(std::move(defaultAppDir)), out_(out), err_(err) {
}

QString CtlSession::applicationFolder() const {
    const QString folder = options_.appDir.isEmpty() ? defaultAppDir_ : options_.appDir;
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

int CtlSession::run() {
    const QString appDir = applicationFolder();
    SteadyClock clock;
    StopSignal stop;
    ConsolePrompter prompter(err_, options_.retries);
    prompter.setGiveUp([&stop] { return stop.requested(); });

    QtSerialPort line(appDir);
    if (!options_.devicePath.isEmpty())
        line.setDevicePath(options_.devicePath);
    std::optional<TracingSerialPort> traced;
    if (options_.trace)
        traced.emplace(line, err_);
    SerialPort& port = traced ? static_cast<SerialPort&>(*traced) : line;

    RSComm link(appDir, clock, prompter);
    if (options_.overridesSettings())
        link.overrideSettings(options_.port, options_.speed);
    prompter.setAnswerYes(options_.yes);
    CtlProgramCommands program(link, prompter, out_, err_);
    if (options_.isProgramCommand()) {
        if (const int refused = checkProgram(program); refused != CtlCommands::Success)
            return refused;
    }
    link.OpenRSComm(port);
    if (!link.OnlineMode) {
        link.CloseRSComm();
        return CtlCommands::LinkFailure;
    }

    CtlCommands commands(link, prompter, clock, stop, out_, err_);
    int status = CtlCommands::Success;
    switch (options_.command) {
    case CtlOptions::Command::Read:
        status = commands.read(options_.addresses);
        break;
    case CtlOptions::Command::Write:
        status = commands.write(options_.addresses.value(0), options_.value);
        break;
    case CtlOptions::Command::Watch:
        status = commands.watch(options_.addresses, options_.count, options_.intervalMs);
        break;
    case CtlOptions::Command::PLS:
        status = runPLS(link, prompter);
        break;
    case CtlOptions::Command::Board:
        status = commands.board(options_.boardType);
        break;
    case CtlOptions::Command::DownloadProgram:
        status = program.download();
        break;
    case CtlOptions::Command::UploadProgram:
        status = program.upload();
        break;
    case CtlOptions::Command::VerifyProgram:
        status = program.verify();
        break;
    }
    link.CloseRSComm();
    return status;
}
