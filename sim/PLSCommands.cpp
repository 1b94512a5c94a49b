#include "PLSCommands.h"

#include <algorithm>

#include "Board.h"
#include "PLSConfigReadMode.h"
#include "PLSRecallMode.h"
#include "PLSWordReadMode.h"
#include "PLSWriteMode.h"

namespace sim {

namespace {

using Bytes = PLSWriteMode::Bytes;

constexpr std::size_t WordLength = 2;
// Channel, value A (low, high), value B (low, high), flag.
constexpr std::size_t ChannelRecordLength = 6;
constexpr std::uint8_t SetpointsFlag = 1;

std::uint16_t wordAt(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// A record for a channel the PLS does not have is refused at its first byte.
bool knownChannel(const Bytes& bytes) {
    return bytes.size() > 1 || LimitSwitch::hasChannel(bytes.front());
}

bool storeSetpoints(LimitSwitch& pls, const Bytes& record) {
    if (record[5] != SetpointsFlag) {
        pls.clearChannel(record[0]);
        return true;
    }
    return pls.programSetpoints(record[0], wordAt(record, 1), wordAt(record, 3));
}

// Value B carries the ON divisions in its low byte and the OFF divisions in its high byte.
bool storePulseTrain(LimitSwitch& pls, const Bytes& record) {
    return pls.programPulseTrain(record[0], wordAt(record, 1), record[3], record[4]);
}

} // namespace

void PLSCommands::install(Board& board) {
    installReads(board);
    installWords(board);
    installChannels(board);
    installConfig(board);
}

void PLSCommands::installReads(Board& board) {
    const LimitSwitch& pls = board.pls();
    board.installMode(ReadScale, std::make_unique<PLSWordReadMode>(pls, &LimitSwitch::scale));
    board.installMode(ReadOffset, std::make_unique<PLSWordReadMode>(pls, &LimitSwitch::offset));
    board.installMode(ReadPosition, std::make_unique<PLSWordReadMode>(pls, &LimitSwitch::position));
    board.installMode(ReadSpeed, std::make_unique<PLSWordReadMode>(pls, &LimitSwitch::rpm));
    board.installMode(ReadConfig, std::make_unique<PLSConfigReadMode>(pls));
    board.installMode(RecallChannel, std::make_unique<PLSRecallMode>(board.pls()));
}

void PLSCommands::installWords(Board& board) {
    board.installMode(WriteOffset,
                      std::make_unique<PLSWriteMode>(board.pls(), WordLength, nullptr,
                                                     [](LimitSwitch& pls, const Bytes& word) {
                                                         return pls.setOffset(wordAt(word, 0));
                                                     }));
    board.installMode(WriteScale,
                      std::make_unique<PLSWriteMode>(board.pls(), WordLength, nullptr,
                                                     [](LimitSwitch& pls, const Bytes& word) {
                                                         return pls.setScale(wordAt(word, 0));
                                                     }));
}

void PLSCommands::installChannels(Board& board) {
    board.installMode(ChannelSetpoints,
                      std::make_unique<PLSWriteMode>(board.pls(), ChannelRecordLength, knownChannel,
                                                     storeSetpoints));
    board.installMode(ChannelPulseTrain,
                      std::make_unique<PLSWriteMode>(board.pls(), ChannelRecordLength, knownChannel,
                                                     storePulseTrain));
}

void PLSCommands::installConfig(Board& board) {
    for (std::size_t group = 0; group < LimitSwitch::ConfigGroupCount; ++group) {
        board.installMode(ConfigGroup[group],
                          std::make_unique<PLSWriteMode>(
                              board.pls(), LimitSwitch::ConfigGroupSize, nullptr,
                              [group](LimitSwitch& pls, const Bytes& bytes) {
                                  std::array<std::uint8_t, LimitSwitch::ConfigGroupSize> values{};
                                  std::copy(bytes.begin(), bytes.end(), values.begin());
                                  pls.storeConfigGroup(group, values);
                                  return true;
                              }));
    }
}

} // namespace sim
