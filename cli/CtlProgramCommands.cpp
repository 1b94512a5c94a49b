#include "CtlProgramCommands.h"

#include <QFile>
#include <QFileInfo>
#include <ostream>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "HexRecords.h"
#include "HexText.h"
#include "ProgramFiles.h"
#include "RSComm.h"

namespace {

std::string upperHex(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper().toStdString();
}

} // namespace

CtlProgramCommands::CtlProgramCommands(RSComm& link, ConsolePrompter& prompter, std::ostream& out,
                                       std::ostream& err)
    : link_(link), prompter_(prompter), out_(out), err_(err) {}

int CtlProgramCommands::checkHex(const QString& hexFile) {
    QFile file(hexFile);
    if (!file.open(QIODevice::ReadOnly)) {
        err_ << "vorna7ctl: cannot read " << hexFile.toStdString() << std::endl;
        return CtlCommands::Refused;
    }
    QString text = QString::fromLatin1(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    hexLines_ = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    if (const std::optional<HexRecords::Problem> problem = HexRecords::check(hexLines_)) {
        err_ << "vorna7ctl: " << hexFile.toStdString() << " line " << problem->line << ": "
             << problem->reason.toStdString() << std::endl;
        return CtlCommands::Refused;
    }
    return CtlCommands::Success;
}

int CtlProgramCommands::checkDownload(const QString& programFile) {
    if (!QFileInfo(programFile).isFile()) {
        err_ << "vorna7ctl: no such program file: " << programFile.toStdString() << std::endl;
        return CtlCommands::Refused;
    }
    ProgramFiles::DownloadFile(link_, programFile, prompter_);
    if (!link_.ValidProgram())
        return CtlCommands::Refused;
    return checkHex(link_.programSet().HexFileName);
}

int CtlProgramCommands::checkUpload(const QString& programFile) {
    if (!QFileInfo(programFile).isFile()) {
        err_ << "vorna7ctl: no such program file: " << programFile.toStdString() << std::endl;
        return CtlCommands::Refused;
    }
    ProgramFiles::UploadFile(link_, programFile, prompter_);
    return CtlCommands::Success;
}

int CtlProgramCommands::checkVerify(const QString& programFile) {
    ProgramSet set;
    ProgramFiles::setNames(set, programFile);
    return checkHex(set.HexFileName);
}

// Complete only when the link cleared the set after the transfer and stayed online. A write
// the board never echoed right ends "Not Complete" with the link still up: a link failure too.
int CtlProgramCommands::download() {
    const int mark = prompter_.shownCount();
    link_.DumpProgram();
    if (link_.CommError)
        return CtlCommands::LinkFailure;
    if (!link_.ValidProgram() && link_.OnlineMode)
        return CtlCommands::Success;
    const bool notComplete =
        !link_.ValidProgram() &&
        prompter_.shownSince(mark, QStringLiteral("Program Download"), Prompter::Icon::Critical);
    return notComplete ? CtlCommands::LinkFailure : CtlCommands::Refused;
}

int CtlProgramCommands::upload() {
    const int mark = prompter_.shownCount();
    link_.setInUploadMode(true);
    link_.UploadProgram();
    if (link_.CommError)
        return CtlCommands::LinkFailure;
    return prompter_.shownSince(mark, QStringLiteral("Program Upload"), Prompter::Icon::Information)
               ? CtlCommands::Success
               : CtlCommands::Refused;
}

int CtlProgramCommands::verify() {
    int bytes = 0;
    for (const QString& line : HexRecords::dataRecords(hexLines_)) {
        const int count = HexText::Hex2Dec(line.mid(1, 2)).value_or(0);
        const int address = HexText::Hex2Dec(line.mid(3, 4)).value_or(0) & 0xFFFF;
        for (int j = 0; j < count; ++j) {
            const int expected = HexText::Hex2Dec(line.mid(9 + 2 * j, 2)).value_or(0) & 0xFF;
            const int at = (address + j) & 0xFFFF;
            const int actual = link_.RSRead(QStringLiteral("B%1").arg(at)).toInt();
            // The "0" of a read that failed is no byte of the board's.
            if (link_.CommError || link_.LastReadFailed()) {
                err_ << "vorna7ctl: verify-program: cannot read " << upperHex(at, 4) << "H"
                     << std::endl;
                return CtlCommands::LinkFailure;
            }
            if (actual != expected) {
                out_ << "first difference at " << upperHex(at, 4) << "H: file "
                     << upperHex(expected, 2) << ", board " << upperHex(actual, 2) << std::endl;
                return CtlCommands::Refused;
            }
            ++bytes;
        }
    }
    out_ << "verified " << bytes << " bytes" << std::endl;
    return CtlCommands::Success;
}
