#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <sstream>
#include <vector>

#include "BoardSerialPort.h"
#include "ConsolePrompter.h"
#include "CtlCommands.h"
#include "CtlPLSCommands.h"
#include "RSComm.h"
#include "StopSignal.h"
#include "TempFolder.h"
#include "VirtualClock.h"

// Every vorna7ctl command on a line whose far end answers from a script: what it prints on
// each stream and the status it exits with. The bytes themselves are the link tests' business.
namespace {

constexpr int A = 0x55; // acknowledge
constexpr int N = BoardSerialPort::NoReply;

using Script = std::vector<int>;

Script operator+(Script first, const Script& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}
// The board's side of one PLS word read, and of a record of `count` bytes that ends ready.
Script word(int value) {
    return {A, A, value & 0xFF, value >> 8};
}
Script record(int count) {
    return Script{A, A} + Script(count, A) + Script{A, 0x00, 0x00};
}

const char* const CannotCommunicate =
    "WARNING - Communication Error!: Cannot Communicate with Target Board. | Verify RS-232 Cable "
    "is Connected Between | COMM Port and PROG Port.\n";

// A vorna7ctl whose line is open to a script.
struct Ctl {
    Ctl() {
        EXPECT_TRUE(app.write(QStringLiteral("Support/FaultErrCodes.txt"),
                              "5C,\"Brake slow, check wear\"\r\n"));
        peer.script();
        peer.answer({A}); // greeting on opening
        link.OpenRSComm(peer);
        EXPECT_TRUE(link.OnlineMode);
    }

    TempFolder app;
    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    ConsolePrompter prompter{err, 0};
    sim::Board board; // unused: the far end is a script
    BoardSerialPort peer{board, clock};
    RSComm link{app.path(), clock, prompter};
    StopSignal stop;
    CtlCommands commands{link, prompter, clock, stop, out, err};
    CtlPLSCommands pls{link, prompter, out, err};
};

struct Row {
    const char* name;
    Script script;
    std::function<int(Ctl&)> run;
    int status;
    std::string out;
    std::string err;
};

const Row rows[] = {
    // read, write, watch
    {"ReadPrintsOneValuePerLineATrueZeroIncluded", Script{A, A, 0x03, 0x34, 0x03, 0x12, 0x04, 0x00},
     [](Ctl& c) {
         return c.commands.read({"W1022", "B1024"});
     },
     CtlCommands::Success, "4660\n0\n", ""},
    {"ReadStopsAtTheFirstAddressWhoseEchoIsWrong", Script{A, A, 0x03, 0x34, 0x03, 0x12, 0x00},
     [](Ctl& c) {
         return c.commands.read({"W1022", "W1024", "W1026"});
     },
     CtlCommands::LinkFailure, "4660\n",
     "vorna7ctl: reading W1024 failed: the board's reply did not match\n"},
    {"ReadOfASilentBoard", Script{N, N, N}, [](Ctl& c) { return c.commands.read({"W1022"}); },
     CtlCommands::LinkFailure, "", CannotCommunicate},
    {"WriteEchoedRight", Script{A, A, 0x04, 0x06, 0x07},
     [](Ctl& c) { return c.commands.write("B1030", "7"); }, CtlCommands::Success, "", ""},
    {"WriteOfARefusedValue", Script{}, [](Ctl& c) { return c.commands.write("B1020", "256"); },
     CtlCommands::Refused, "", "ENTRY ALERT: Error: | Entry out of Range (0-255).\n"},
    {"WriteNeverEchoedRightFailsAfterTheRepeat", Script{A, A, 0x00, A, A, 0x04, 0x00},
     [](Ctl& c) { return c.commands.write("B1031", "9"); }, CtlCommands::LinkFailure, "",
     "vorna7ctl: writing B1031 failed: the board did not echo the bytes (tried twice)\n"},
    {"BitWriteWhoseByteCannotBeRead", Script{A, A, 0x00},
     [](Ctl& c) { return c.commands.write("B1030.0", "1"); }, CtlCommands::LinkFailure, "",
     "vorna7ctl: writing B1030.0 failed: the byte to change could not be read\n"},
    {"WatchPrintsOneLinePerRoundWithoutNewHandshakes",
     Script{A, A, 0x00, 0x05, 0x00, 0x07, 0x00, 0x06, 0x00, 0x07, 0x00, 0x05, 0x00, 0x03},
     [](Ctl& c) {
         return c.commands.watch({"B182", "B101"}, 3, 0);
     },
     CtlCommands::Success, "5 7\n6 7\n5 3\n", ""},
    {"WatchWithoutACountEndsAfterTheRoundDuringWhichAStopWasRequested",
     Script{A, A, 0x00, 0x2A, 0x00, 0x01}, // W182 = 0x012A = 298
     [](Ctl& c) {
         std::raise(SIGTERM);
         return c.commands.watch({"W182"}, std::nullopt, 1000);
     },
     CtlCommands::Success, "298\n", ""},
    {"WatchCsvStampsEachRoundInTheHistoryTimeForm", Script{A, A, 0x00, 0x05, 0x00, 0x07},
     [](Ctl& c) {
         c.commands.setWallClock([] { return QDateTime(QDate(2026, 12, 7), QTime(3, 10, 5)); });
         return c.commands.watch({"B182", "B101"}, 1, 0, true);
     },
     CtlCommands::Success, "Time,B182,B101\n2026-12-07 03:10:05,5,7\n", ""},
    // board
    {"BoardPrintsFirmwareNameFaultAndDescription", Script{A, A, 0x1F, 23, 0x1F, 0x5C},
     [](Ctl& c) { return c.commands.board(61); }, CtlCommands::Success,
     "firmware=23\nboard=K6632(PLC)\nfault=92\n"
     "description=Fault Code (5CH): Brake slow, check wear\n",
     ""},
    {"BoardNameShowsControlCharactersAsEscapes", Script{A, A, 0x1F, 7, 0x1F, 0x5C},
     [](Ctl& c) { return c.commands.board(std::nullopt); }, CtlCommands::Success,
     "firmware=7\nboard=\\x00 Is Not Defined.\nfault=92\n"
     "description=Fault Code (5CH): Brake slow, check wear\n",
     ""},
    {"BoardWhoseFaultCodeCannotBeRead", Script{A, A, 0x1F, 23, 0x1F, N, N, N},
     [](Ctl& c) { return c.commands.board(49); }, CtlCommands::LinkFailure,
     "firmware=23\nboard=R2205\n", CannotCommunicate},
    // pls
    {"PlsStatusPrintsTheFourWordsByName", word(360) + word(10) + word(200) + word(150),
     [](Ctl& c) { return c.pls.status(); }, CtlCommands::Success,
     "scale=360\noffset=10\nposition=200\nrpm=150\n", ""},
    {"PlsStatusStopsAtTheWordTheBoardDoesNotAnswer", word(360) + Script{A, A, 0x0A, N, N, N},
     [](Ctl& c) { return c.pls.status(); }, CtlCommands::LinkFailure, "scale=360\n",
     CannotCommunicate},
    {"PlsConfigPrintsNineteenValuesOnOneLine",
     Script{A, A} + Script{0, 13, 26, 39, 52, 65, 78, 91, 104, 117, 130, 143, 156, 169, 182, 195,
                           208, 221, 234},
     [](Ctl& c) { return c.pls.config(); }, CtlCommands::Success,
     "0 13 26 39 52 65 78 91 104 117 130 143 156 169 182 195 208 221 234\n", ""},
    {"PlsConfigThatBreaksOffPrintsNoValues", Script{A, A, 1, 2, N, N, N},
     [](Ctl& c) { return c.pls.config(); }, CtlCommands::LinkFailure, "",
     std::string(CannotCommunicate) + "PLS Upload: Not able to Upload Configuration from PLS.\n"},
    {"PlsRecallTakesTwoStepsForAnOnOffPair", Script{A, A, A, 1, 0x2C, 0x01, A, A, A, 0, 0x14, 0x00},
     [](Ctl& c) { return c.pls.recall(5); }, CtlCommands::Success, "1 300\n0 20\n", ""},
    {"PlsRecallStopsAfterAStepThatIsNeitherOnNorOff", Script{A, A, A, 3, 0x05, 0x00},
     [](Ctl& c) { return c.pls.recall(2); }, CtlCommands::Success, "3 5\n", ""},
    {"PlsRecallWithABadHighByte", Script{A, A, A, 1, 0x2C, 0x01, A, A, A, 0, 0x00, 17},
     [](Ctl& c) { return c.pls.recall(5); }, CtlCommands::LinkFailure, "1 300\n",
     "vorna7ctl: recalling channel 5 failed: the board's answer was not a recall\n"},
    {"PlsSetClearsThenProgramsTheChannel", word(360) + record(6) + record(6),
     [](Ctl& c) { return c.pls.set(7, 10, 20); }, CtlCommands::Success, "", ""},
    {"PlsSetThatTheBoardDoesNotAcknowledge", word(360) + Script{A, A, 0x00},
     [](Ctl& c) { return c.pls.set(1, 10, 20); }, CtlCommands::LinkFailure, "",
     "vorna7ctl: programming channel 1 failed: the board did not acknowledge it\n"},
    {"PlsPulseTheBoardRefusesGivesOnlyTheLinksMessage", word(360) + Script{A, A, 0x00},
     [](Ctl& c) { return c.pls.pulse(4, 10, 20, 300); }, CtlCommands::LinkFailure, "",
     "PLS Pulse Train: Error Encountered while Programming Pulse Train. |  | PLS Channel will "
     "not be Programmed.\n"},
    {"PlsClearWritesItsRecord", record(6), [](Ctl& c) { return c.pls.clear(6); },
     CtlCommands::Success, "", ""},
    {"PlsOffsetWritesTheNewOffset", word(350) + word(20) + word(360) + record(2),
     [](Ctl& c) { return c.pls.offset(0); }, CtlCommands::Success, "", ""},
    // Refused before any record is sent: status 1 and the link's message folded onto one line
    // (the refusal texts themselves belong to the link's tests).
    {"PlsSetpointBeyondScale", word(360), [](Ctl& c) { return c.pls.set(1, 360, 20); },
     CtlCommands::Refused, "",
     "PLS Single Setpoint: Setpoint setting 360 is greater than scale factor. |  | Channel can "
     "not be programmed.\n"},
};

// Each row on a fresh line.
TEST(CtlCommandTable, PrintsAndExitsAsExpected) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Ctl ctl;
        for (int reply : row.script)
            ctl.peer.answer(reply);
        EXPECT_EQ(row.run(ctl), row.status);
        EXPECT_EQ(ctl.out.str(), row.out);
        EXPECT_EQ(ctl.err.str(), row.err);
        EXPECT_EQ(ctl.peer.scriptLeft(), 0) << "every scripted answer is used";
    }
}

TEST(StopSignal, TurnsCtrlCIntoARequestAndGivesTheOldHandlerBack) {
    static volatile std::sig_atomic_t previousCalled = 0;
    const auto previous = std::signal(SIGINT, [](int) { previousCalled = 1; });
    {
        StopSignal stop;
        VirtualClock clock;
        EXPECT_FALSE(stop.requested());
        EXPECT_FALSE(stop.waitUntil(clock, clock.now())); // the deadline has come: no wait
        std::raise(SIGINT);
        EXPECT_TRUE(stop.requested());
        // Would sleep an hour if the request did not end the wait.
        EXPECT_TRUE(stop.waitUntil(clock, clock.now() + Clock::fromSeconds(3600)));
        EXPECT_EQ(previousCalled, 0);
    }
    std::raise(SIGINT);
    EXPECT_EQ(previousCalled, 1);
    std::signal(SIGINT, previous);
}

} // namespace
