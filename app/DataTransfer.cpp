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
    return mode == DownloadMode
               ? QStringLiteral("Downloading Set-up Data to K6686, Please Standby...")
               : QStringLiteral("Uploading Data from K6686, Please Standby...");
}

int DataTransfer::ProgressMaximum(std::int16_t mode) {
    return (mode == DownloadMode ? DownloadLastParam : UploadLastParam) + 1;
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

void DataTransfer::uploadConfiguration(SetupData& data) {
    const QVector<int> config = link_.PLSConfigUpload();
    if (link_.CommError())
        return;
    if (config.size() < UploadedSpeedComp + SetupData::ChannelCount) {
        incomplete_ = true;
        return;
    }
    data.NumPLSChannels = static_cast<std::int16_t>(config[UploadedChannelCount]);
    data.PLSProgram = static_cast<std::int16_t>(config[UploadedProgram]);
    for (int k = 0; k < SetupData::ChannelCount; ++k)
        data.SpeedComp[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(config[UploadedSpeedComp + k]);
}

// The PLS words come as text, "-9999" when the read failed: then the old value stays.
void DataTransfer::uploadWord(const QString& text, std::int16_t& into) {
    const std::optional<std::int16_t> value =
        text == PLSReadFailed ? std::nullopt : Numbers::toInt16(Numbers::leadingNumber(text));
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
    uploadConfiguration(data);
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

bool DataTransfer::ReadSetupAndSetpoints(SetupData& into) {
    for (int i = 0; i <= DownloadLastParam; ++i) {
        if (link_.CommError() || !readParameter(i, into))
            return false;
    }
    return recallChannels(into);
}

void DataTransfer::reportIncomplete() {
    context_.prompter().ask(QStringLiteral("Process Error"),
                            QStringLiteral("Error Processing Request\r\n\r\nProcess Not Complete"),
                            Prompter::Icon::Exclamation, Prompter::Buttons::OK);
    view_.letEventsRun();
}
