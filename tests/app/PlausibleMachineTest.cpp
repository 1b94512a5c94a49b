#include <gtest/gtest.h>

#include "Board.h"
#include "FaultCodeFile.h"
#include "PlausibleMachine.h"
#include "ScriptedPrompter.h"
#include "SetupTables.h"
#include "SimAddress.h"

// The simulator's running bodymaker against the program's own defaults and shipped fault file.
TEST(PlausibleMachine, HoldsTheNewSetupFileDefaultsAndADescribedFault) {
    sim::Board board;
    sim::PlausibleMachine::apply(board);
    const SetupData defaults = SetupTables::defaultData(QString());
    for (std::size_t i = 0; i < defaults.ParamAdd.size(); ++i)
        EXPECT_EQ(sim::SimAddress::parse(defaults.ParamAdd[i].toStdString())->read(board.memory()),
                  static_cast<std::uint32_t>(defaults.ParamValue[i]))
            << defaults.ParamAdd[i].toStdString();
    ScriptedPrompter prompter;
    EXPECT_NE(FaultCodeFile::FaultDescription(board.memory().byte(sim::Board::FaultCodeAddress),
                                              VORNA7_SOURCE_DIR "/Support/FaultErrCodes.txt",
                                              prompter),
              QStringLiteral("Fault Code (45H): "));
}
