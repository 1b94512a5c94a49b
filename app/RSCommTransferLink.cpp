#include "RSCommTransferLink.h"

#include "RSComm.h"

bool RSCommTransferLink::OnlineMode() const {
    return link_.OnlineMode;
}

bool RSCommTransferLink::CommError() const {
    return link_.CommError;
}

std::optional<QString> RSCommTransferLink::RSRead(const QString& Add) {
    const QString value = link_.RSRead(Add);
    if (link_.LastReadFailed() || link_.CommError)
        return std::nullopt;
    return value;
}

bool RSCommTransferLink::RSWrite(const QString& Add, const QString& DataValue) {
    link_.RSWrite(Add, DataValue);
    return !link_.CommError && link_.LastRefusal().isEmpty() && !link_.WriteVerifyFailed();
}

// A configuration that was not read comes back empty, never as the values read before.
QVector<int> RSCommTransferLink::PLSConfigUpload() {
    const QVector<int> config = link_.PLSConfigUpload();
    return link_.PLSConfigRead() ? config : QVector<int>();
}

QString RSCommTransferLink::PLSScaleFactor() {
    return link_.PLSScaleFactor();
}

QString RSCommTransferLink::PLSOffset() {
    return link_.PLSOffset();
}

bool RSCommTransferLink::RecallChannel(int Chan) {
    return link_.RecallChannel(Chan);
}

int RSCommTransferLink::ChannelRecallState() const {
    return link_.ChannelRecallState();
}

std::int32_t RSCommTransferLink::ChannelRecallPos() const {
    return link_.ChannelRecallPos();
}

bool RSCommTransferLink::PLSConfigDownload(const QVector<int>& CfgParam, int ScaleFactor) {
    return link_.PLSConfigDownload(CfgParam, ScaleFactor);
}

bool RSCommTransferLink::SingleSetpoint(int Chan, int OnSetpoint, int OffSetpoint, bool ClearChan) {
    return link_.SingleSetpoint(Chan, OnSetpoint, OffSetpoint, ClearChan);
}

bool RSCommTransferLink::ClearPLSChan(int Chan) {
    return link_.ClearPLSChan(Chan);
}
