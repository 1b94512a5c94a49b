#include "DataTransfer.h"

#include "AppContext.h"
#include "Numbers.h"
#include "Prompter.h"
#include "TransferLink.h"

namespace {

constexpr int OnState = 1;
constexpr int OffState = 0;
constexpr int RecallsPerChannel = 2;
const QString PLSReadFailed = QStringLiteral("-9999");

// Where the upload finds the configuration items.
constexpr int UploadedChannelCount = 0;
constexpr int UploadedProgram = 1;
constexpr int UploadedSpeedComp = 2;

// Where the download puts them.
constexpr int SentProgram = 0;
constexpr int SentSpeedCompLow = 1;  // SpeedComp 0-3
constexpr int SentSpeedCompHigh = 6; // SpeedComp 4-7
constexpr int SentChannelCount = 18;

} // namespace

DataTransfer::DataTransfer(AppContext& context, TransferLink& link)
    : context_(context), link_(link) {}

QString DataTransfer::StatusAtLoad(std::int16_t mode) {
    if (mode == CompareMode)
        return QStringLiteral("Reading K6686 to Compare, Please Standby...");
    return mode == DownloadMode
               ? QStringLiteral("Downloading Set-up Data to K6686, Please Standby...")
               : QStringLiteral("Uploading Data from K6686, Please Standby...");
}

int DataTransfer::ProgressMaximum(std::int16_t mode) {
    return (mode == UploadMode ? UploadLastParam : DownloadLastParam) + 1;
}

QVector<int> DataTransfer::DownloadConfigList(const SetupData& data) {
    QVector<int> list(24, 0);
    list[SentProgram] = data.PLSProgram;
    for (int k = 0; k < 4; ++k) {
        list[SentSpeedCompLow + k] = data.SpeedComp[static_cast<std::size_t>(k)];
        list[SentSpeedCompHigh + k] = data.SpeedComp[static_cast<std::size_t>(k + 4)];
    }
    list[SentChannelCount] = data.NumPLSChannels;
    return list;
}

void DataTransfer::RunProcess() {
    failed_ = false;
    incomplete_ = false;
    if (context_.ProcessMode == CompareMode) {
        readForComparison();
        return;
    }
    const bool upload = context_.ProcessMode != DownloadMode;
    if (upload) {
        uploadParameters(UploadLastParam);
        if (!link_.CommError())
            uploadPLS();
    } else {
        downloadParameters(DownloadLastParam);
        if (!link_.CommError())
            downloadPLS();
    }
    completed_ = !(link_.CommError() || failed_ || incomplete_);
    if (!completed_)
        reportIncomplete();
}

bool DataTransfer::stopParameters() {
    view_.letEventsRun();
    return CancelRequested || link_.CommError();
}

// A value the controller did not deliver leaves the one held before.
bool DataTransfer::readParameter(int index, SetupData& data) {
    if (index >= static_cast<int>(data.ParamAdd.size()) ||
        index >= static_cast<int>(data.ParamValue.size()))
        return false;
    const std::optional<QString> text =
        link_.RSRead(data.ParamAdd[static_cast<std::size_t>(index)]);
    if (!text)
        return false;
    const std::optional<std::int32_t> value = Numbers::toInt32(Numbers::leadingNumber(*text));
    if (!value)
        return false;
    data.ParamValue[static_cast<std::size_t>(index)] = *value;
    return true;
}

void DataTransfer::uploadParameters(int last) {
    CancelRequested = false;
    for (int i = 0; i <= last; ++i) {
        if (stopParameters())
            break;
        if (!readParameter(i, context_.CurrentData) && !link_.CommError())
            incomplete_ = true;
        view_.showProgress(i + 1);
    }
}

void DataTransfer::downloadParameters(int last) {
    CancelRequested = false;
    const SetupData& data = context_.CurrentData;
    for (int i = 0; i <= last; ++i) {
        if (stopParameters())
            break;
        const bool sent = i < static_cast<int>(data.ParamAdd.size()) &&
                          link_.RSWrite(data.ParamAdd[static_cast<std::size_t>(i)],
                                        Numbers::signedText(data.valueAt(i)));
        if (!sent && !link_.CommError())
            incomplete_ = true;
        view_.showProgress(i + 1);
    }
}

// False, with `data` unchanged, when the controller did not deliver its configuration.
bool DataTransfer::takeConfiguration(SetupData& data) {
    const QVector<int> config = link_.PLSConfigUpload();
    if (link_.CommError() || config.size() < UploadedSpeedComp + SetupData::ChannelCount)
        return false;
    data.NumPLSChannels = static_cast<std::int16_t>(config[UploadedChannelCount]);
    data.PLSProgram = static_cast<std::int16_t>(config[UploadedProgram]);
    for (int k = 0; k < SetupData::ChannelCount; ++k)
        data.SpeedComp[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(config[UploadedSpeedComp + k]);
    return true;
}

// The PLS words come as text, "-9999" when the read failed.
std::optional<std::int16_t> DataTransfer::plsWord(const QString& text) {
    return text == PLSReadFailed ? std::nullopt : Numbers::toInt16(Numbers::leadingNumber(text));
}

// A word that was not read leaves the old value.
void DataTransfer::uploadWord(const QString& text, std::int16_t& into) {
    const std::optional<std::int16_t> value = plsWord(text);
    if (value)
        into = *value;
    else if (!link_.CommError())
        incomplete_ = true;
}

bool DataTransfer::recallChannel(int channel, SetupData& data) {
    auto& setpoints = data.ChanSetpoint[static_cast<std::size_t>(channel)];
    for (int step = 0; step < RecallsPerChannel; ++step) {
        if (!link_.RecallChannel(channel))
            return false;
        const int state = link_.ChannelRecallState();
        const auto position = static_cast<std::int16_t>(link_.ChannelRecallPos());
        if (state == OnState) {
            setpoints[SetupData::OnColumn] = position;
        } else if (state == OffState) {
            setpoints[SetupData::OffColumn] = position;
        } else {
            setpoints = {0, 0};
            return true;
        }
    }
    return true;
}

bool DataTransfer::recallChannels(SetupData& data) {
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        if (link_.CommError() || !recallChannel(c, data))
            return false;
    }
    return true;
}

void DataTransfer::uploadPLS() {
    view_.showStatus(QStringLiteral("Uploading PLS from K6686, Please Standby..."));
    view_.letEventsRun();
    SetupData& data = context_.CurrentData;
    if (!takeConfiguration(data) && !link_.CommError())
        incomplete_ = true;
    if (!link_.CommError())
        uploadWord(link_.PLSScaleFactor(), data.PLSScale);
    if (!link_.CommError())
        uploadWord(link_.PLSOffset(), data.ResolverOffset);
    if (link_.CommError())
        return;
    if (!recallChannels(data))
        failed_ = true;
}

void DataTransfer::downloadPLS() {
    view_.showStatus(QStringLiteral("Downloading PLS Data to K6686, Please Standby..."));
    view_.letEventsRun();
    const SetupData& data = context_.CurrentData;
    if (!link_.PLSConfigDownload(DownloadConfigList(data), data.PLSScale))
        failed_ = true;
    for (int c = 0; c < SetupData::ChannelCount && !link_.CommError(); ++c) {
        const auto& setpoints = data.ChanSetpoint[static_cast<std::size_t>(c)];
        const int on = setpoints[SetupData::OnColumn];
        const int off = setpoints[SetupData::OffColumn];
        const bool sent =
            (on != 0 || off != 0) ? link_.SingleSetpoint(c, on, off, true) : link_.ClearPLSChan(c);
        if (!sent) {
            failed_ = true;
            break;
        }
    }
    context_.PLSDataChanged = true;
}

// A value that cannot be read is named and left unknown; the reading goes on, because a
// controller that answers badly is the one most in need of a download. Cancel or a lost link
// ends it.
void DataTransfer::readForComparison() {
    CancelRequested = false;
    reported_ = {};
    reported_.data = context_.CurrentData;
    compareParameters();
    if (!CancelRequested && !link_.CommError())
        comparePLS();
}

void DataTransfer::compareParameters() {
    SetupData& data = reported_.data;
    for (int i = 0; i <= DownloadLastParam; ++i) {
        if (stopParameters())
            return;
        const bool read = readParameter(i, data);
        reported_.parameters[static_cast<std::size_t>(i)] = read;
        if (!read && !link_.CommError())
            reported_.unread << data.ParamAdd[static_cast<std::size_t>(i)];
        view_.showProgress(i + 1);
    }
}

void DataTransfer::comparePLS() {
    view_.showStatus(QStringLiteral("Reading PLS from K6686 to Compare, Please Standby..."));
    SetupData& data = reported_.data;
    if (stopParameters())
        return;
    reported_.configuration = takeConfiguration(data);
    if (!reported_.configuration && !link_.CommError())
        reported_.unread << QStringLiteral("PLS configuration");
    if (stopParameters())
        return;
    const std::optional<std::int16_t> scale = plsWord(link_.PLSScaleFactor());
    reported_.scale = scale && !link_.CommError();
    if (reported_.scale)
        data.PLSScale = *scale;
    else if (!link_.CommError())
        reported_.unread << QStringLiteral("PLS scale factor");
    for (int c = 0; c < SetupData::ChannelCount; ++c) {
        if (stopParameters())
            return;
        const bool read = recallChannel(c, data);
        reported_.channels[static_cast<std::size_t>(c)] = read && !link_.CommError();
        if (!read && !link_.CommError())
            reported_.unread << QStringLiteral("channel %1").arg(c);
    }
}

void DataTransfer::reportIncomplete() {
    context_.prompter().ask(QStringLiteral("Process Error"),
                            QStringLiteral("Error Processing Request\r\n\r\nProcess Not Complete"),
                            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
    view_.letEventsRun();
}
