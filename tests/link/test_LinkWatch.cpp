#include <functional>
#include <vector>

#include "BoardRig.h"
#include "LinkExchangeText.h"
#include "LinkObserver.h"
#include "QStringPrinter.h"

namespace {

// Each exchange as its line without the time: mark, operation, sent, received, outcome.
class RowsSeen final : public LinkObserver {
public:
    void exchangeDone(const LinkExchange& exchange) override {
        rows.append(LinkExchangeText::line(exchange).section(u'\t', 1));
    }
    QStringList rows;
};

struct WatchedCase {
    const char* name;
    std::function<void(BoardRig&)> run;
    QStringList rows;
};

void spoil(BoardRig& rig, sim::Fault fault, int count = 1) {
    rig.board.faults().set(fault, sim::FaultPlan::next(count));
}

const std::vector<WatchedCase> Cases = {
    {"word read from another mode, then again without the handshake",
     [](BoardRig& rig) {
         rig.board.memory().setWord(1022, 0xABCD);
         rig.link.RSRead(QStringLiteral("W1022"));
         rig.link.RSRead(QStringLiteral("w1022"));
     },
     {"\tread W1022 = 43981\t> FF 01 03 FE 03 FF\t< 55 55 03 CD 03 AB\tok",
      "\tread w1022 = 43981\t> 03 FE 03 FF\t< 03 CD 03 AB\tok"}},
    // A write from read mode switches modes, one in write mode skips the handshake.
    {"writes from read mode and back",
     [](BoardRig& rig) {
         rig.link.RSRead(QStringLiteral("B1020"));
         rig.link.RSWrite(QStringLiteral("W1024"), QStringLiteral("300"));
         rig.link.RSWrite(QStringLiteral("B1030"), QStringLiteral("7"));
         rig.link.RSRead(QStringLiteral("W1024"));
     },
     {"\tread B1020 = 0\t> FF 01 03 FC\t< 55 55 03 00\tok",
      "\twrite W1024 = 300\t> FF 02 04 00 2C 04 01 01\t< 55 55 04 00 2C 04 01 01\tok",
      "\twrite B1030 = 7\t> 04 06 07\t< 04 06 07\tok",
      "\tread W1024 = 300\t> FF 01 04 00 04 01\t< 55 55 04 2C 04 01\tok"}},
    {"double write: low word, then high word, each low byte first",
     [](BoardRig& rig) { rig.link.RSWrite(QStringLiteral("D1100"), QStringLiteral("655359999")); },
     {"\twrite D1100 = 655359999\t> FF 02 04 4C 0F 04 4D 27 04 4E FF 04 4F FF\t< 55 55 04 4C 0F 04 "
      "4D 27 04 4E FF 04 4F FF\tok"}},
    {"bit write reads its byte inside the same row",
     [](BoardRig& rig) {
         rig.board.memory().setByte(1020, 0x80);
         rig.link.RSWrite(QStringLiteral("B1020.0"), QStringLiteral("1"));
     },
     {"\tbit write B1020.0 = 1\t> FF 01 03 FC FF 02 03 FC 81\t< 55 55 03 80 55 55 03 FC 81\tok"}},
    // The board, still inside the spoilt write's sequence, takes the next attention bytes as
    // address and data and echoes them: the handshake is repeated, which is no failure.
    {"spoilt echo of a write, repeated once",
     [](BoardRig& rig) {
         spoil(rig, sim::Fault::WrongEcho);
         rig.link.RSWrite(QStringLiteral("B1030"), QStringLiteral("7"));
     },
     {"!\twrite B1030 = 7\t> FF 02 04 FF FF FF 02 04 06 07\t< 55 55 FB FF FF 55 55 04 06 07\techo "
      "repeated, handshake repeated"}},
    {"every echo spoilt: the repeat fails too",
     [](BoardRig& rig) {
         rig.board.faults().set(sim::Fault::WrongEcho, sim::FaultPlan::always());
         rig.link.RSWrite(QStringLiteral("B1030"), QStringLiteral("7"));
     },
     {"!\twrite B1030 = 7\t> FF 02 04 FF FF FF 02 04\t< 55 55 FB 00 00 55 55 FB\twrong echo, "
      "echo repeated, handshake repeated"}},
    {"spoilt echo of a read",
     [](BoardRig& rig) {
         spoil(rig, sim::Fault::WrongEcho);
         rig.link.RSRead(QStringLiteral("B1030"));
     },
     {"!\tread B1030\t> FF 01 04\t< 55 55 FB\twrong echo"}},
    {"silent board, resynchronised twice, then Cancel",
     [](BoardRig& rig) {
         rig.board.faults().set(sim::Fault::Silence, sim::FaultPlan::always());
         rig.link.RSRead(QStringLiteral("B1030"));
         rig.link.RSRead(QStringLiteral("B1030")); // latched: nothing on the line, no row
     },
     {"!\tread B1030\t> FF FF FF\t< \ttime-out with resynchronisation, Cancel"}},
    {"handshake not acknowledged once",
     [](BoardRig& rig) {
         spoil(rig, sim::Fault::WrongAcknowledge);
         rig.link.RSRead(QStringLiteral("B1030"));
     },
     {"\tread B1030 = 0\t> FF FF 01 04 06\t< 00 55 55 04 00\thandshake repeated"}},
    {"PLS recall steps through a channel's setpoints",
     [](BoardRig& rig) {
         rig.link.RecallChannel(3);
         rig.link.RecallChannel(3);
     },
     {"\tPLS recall CH3 step 1 = state 1 position 110\t> FF 06 03 55 55 55\t< 55 55 55 01 6E "
      "00\tok",
      "\tPLS recall CH3 step 2 = state 0 position 130\t> FF 06 03 55 55 55\t< 55 55 55 00 82 "
      "00\tok"}},
    {"PLS word read and a channel clear",
     [](BoardRig& rig) {
         rig.link.PLSScaleFactor();
         rig.link.ClearPLSChan(2);
     },
     {"\tPLS read scale factor = 360\t> FF 18 55 55\t< 55 55 68 01\tok",
      "\tPLS clear CH2\t> FF 1B 02 00 00 00 00 00 38 55 55\t< 55 55 55 55 55 55 55 55 55 00 "
      "00\tok"}},
};

// Each row on a fresh board.
TEST(LinkWatch, EachOperationIsOneRowWithItsBytesAndOutcome) {
    for (const WatchedCase& c : Cases) {
        SCOPED_TRACE(c.name);
        BoardRig rig;
        rig.goOnline();
        RowsSeen seen;
        rig.link.setObserver(&seen);
        c.run(rig);
        EXPECT_EQ(seen.rows.join(u'\n'), c.rows.join(u'\n'));
    }
}

} // namespace
