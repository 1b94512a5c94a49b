#include "PlausibleMachine.h"

#include "Board.h"
#include "SimAddress.h"

namespace sim {

const PlausibleMachine::Parameter PlausibleMachine::Parameters[] = {
    {"W1024", 350}, {"W1030", 2},   {"W1032", 20},  {"W1036", 375},  {"W1038", 250},
    {"W1026", 175}, {"W1028", 350}, {"B1020.0", 1}, {"W1110", 1950}, {"W1130", 100},
    {"W1132", 500}, {"W1134", 50},  {"W1126", 15},  {"W1120", 100},  {"W1122", 25},
};
const int PlausibleMachine::ParameterCount = sizeof Parameters / sizeof Parameters[0];

void PlausibleMachine::apply(Board& board) {
    for (const Parameter& parameter : Parameters)
        SimAddress::parse(parameter.address)->write(board.memory(), parameter.value);
    board.setBoardType(BoardType);
    board.memory().setByte(Board::FaultCodeAddress, FaultCode);
    board.memory().setByte(Board::LastFaultAddress, FaultCode);
}

} // namespace sim
