#include "CtlPLSCommands.h"

#include <ostream>

#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "RSComm.h"

namespace {

// Titles of the link's refusals, one per operation.
const QString SetpointTitle = QStringLiteral("PLS Single Setpoint");
const QString PulseTrainTitle = QStringLiteral("PLS Pulse Train");
const QString ClearTitle = QStringLiteral("PLS Clear Channel");
const QString RecallTitle = QStringLiteral("PLS Recall Channel");
const QString OffsetTitle = QStringLiteral("Set PLS Offset");
const QString UploadTitle = QStringLiteral("PLS Upload");
const QString ReadFailed = QStringLiteral("-9999");

constexpr int OffState = 0;
constexpr int OnState = 1;
constexpr int MaxRecallSteps = 2;

QString channelName(int channel) {
    return QStringLiteral("channel %1").arg(channel);
}

} // namespace

CtlPLSCommands::CtlPLSCommands(RSComm& link, ConsolePrompter& prompter, std::ostream& out,
                               std::ostream& err)
    : link_(link), prompter_(prompter), out_(out), err_(err) {}

bool CtlPLSCommands::refusedSince(int mark, const QString& title) const {
    return prompter_.shownSince(mark, title, Prompter::Icon::Exclamation);
}

void CtlPLSCommands::reportUnanswered(int mark, const QString& what, const char* why) {
    // The link speaks for itself when it failed or showed a message of its own.
    if (link_.CommError || prompter_.shownCount() > mark)
        return;
    err_ << "vorna7ctl: " << what.toStdString() << " failed: " << why << std::endl;
}

int CtlPLSCommands::status() {
    using Reader = QString (RSComm::*)();
    const struct {
        const char* name;
        Reader read;
    } words[] = {
        {"scale", &RSComm::PLSScaleFactor},
        {"offset", &RSComm::PLSOffset},
        {"position", &RSComm::PLSPos},
        {"rpm", &RSComm::PLSRpm},
    };
    for (const auto& word : words) {
        const int mark = prompter_.shownCount();
        const QString value = (link_.*word.read)();
        if (value == ReadFailed || link_.CommError) {
            reportUnanswered(mark, QStringLiteral("reading the PLS %1").arg(word.name),
                             "the board did not answer the PLS");
            return CtlCommands::LinkFailure;
        }
        out_ << word.name << '=' << value.toStdString() << std::endl;
    }
    prompter_.resetRetries();
    return CtlCommands::Success;
}

int CtlPLSCommands::config() {
    const int mark = prompter_.shownCount();
    const QVector<int> values = link_.PLSConfigUpload();
    if (link_.CommError || prompter_.shownSince(mark, UploadTitle, Prompter::Icon::Exclamation))
        return CtlCommands::LinkFailure;
    QStringList line;
    for (int value : values)
        line.append(QString::number(value));
    out_ << line.join(u' ').toStdString() << std::endl;
    prompter_.resetRetries();
    return CtlCommands::Success;
}

// As the channel table does: a second step only when the first gave an ON or OFF point.
int CtlPLSCommands::recall(int channel) {
    for (int step = 0; step < MaxRecallSteps; ++step) {
        const int mark = prompter_.shownCount();
        if (!link_.RecallChannel(channel)) {
            if (refusedSince(mark, RecallTitle))
                return CtlCommands::Refused;
            reportUnanswered(mark, QStringLiteral("recalling %1").arg(channelName(channel)),
                             "the board's answer was not a recall");
            return CtlCommands::LinkFailure;
        }
        const int state = link_.ChannelRecallState();
        out_ << state << ' ' << link_.ChannelRecallPos() << std::endl;
        if (state != OnState && state != OffState)
            break;
    }
    prompter_.resetRetries();
    return CtlCommands::Success;
}

int CtlPLSCommands::writeOutcome(bool written, int mark, const QString& refusalTitle,
                                 const QString& what) {
    if (written && !link_.CommError) {
        prompter_.resetRetries();
        return CtlCommands::Success;
    }
    if (refusedSince(mark, refusalTitle))
        return CtlCommands::Refused;
    reportUnanswered(mark, what, "the board did not acknowledge it");
    return CtlCommands::LinkFailure;
}

int CtlPLSCommands::set(int channel, int on, int off) {
    const int mark = prompter_.shownCount();
    const bool written = link_.SingleSetpoint(channel, on, off, true);
    return writeOutcome(written, mark, SetpointTitle,
                        QStringLiteral("programming %1").arg(channelName(channel)));
}

int CtlPLSCommands::pulse(int channel, int on, int off, int start) {
    const int mark = prompter_.shownCount();
    const bool written = link_.PulseTrain(channel, on, off, start);
    return writeOutcome(
        written, mark, PulseTrainTitle,
        QStringLiteral("programming a pulse train on %1").arg(channelName(channel)));
}

int CtlPLSCommands::clear(int channel) {
    const int mark = prompter_.shownCount();
    const bool written = link_.ClearPLSChan(channel);
    return writeOutcome(written, mark, ClearTitle,
                        QStringLiteral("clearing %1").arg(channelName(channel)));
}

int CtlPLSCommands::offset(int position) {
    const int mark = prompter_.shownCount();
    const bool written = link_.SetPLSOffset(position);
    return writeOutcome(written, mark, OffsetTitle, QStringLiteral("setting the PLS offset"));
}
