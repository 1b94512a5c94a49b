#include <gtest/gtest.h>

#include "Board.h"
#include "FaultCodeFile.h"
#include "PlausibleMachine.h"
#include "ProgramFiles.h"
#include "ScriptedPrompter.h"
#include "SetupTables.h"
#include "SimAddress.h"

// The simulator's running bodymaker against the program's own tables and shipped files.
TEST(PlausibleMachine, HoldsTheNewSetupFileDefaultsAPLCBoardTypeAndADescribedFault) {
    sim::Board board;
    sim::PlausibleMachine::apply(board);
    const SetupData defaults = SetupTables::defaultData(QString());
    for (std::size_t i = 0; i < defaults.ParamAdd.size(); ++i) {
        const auto address = sim::SimAddress::parse(defaults.ParamAdd[i].toStdString());
        ASSERT_TRUE(address) << i;
        EXPECT_EQ(address->read(board.memory()), static_cast<std::uint32_t>(defaults.ParamValue[i]))
            << defaults.ParamAdd[i].toStdString();
    }
    EXPECT_EQ(ProgramFiles::classOf(board.boardType()), ProgramFiles::BoardClass::PLC);
    ScriptedPrompter prompter;
    const int fault = board.memory().byte(sim::Board::FaultCodeAddress);
    EXPECT_GT(FaultCodeFile::FaultDescription(
                  fault, QStringLiteral(VORNA7_SOURCE_DIR "/Support/FaultErrCodes.txt"), prompter)
                  .size(),
              QStringLiteral("Fault Code (45H): ").size());
}
