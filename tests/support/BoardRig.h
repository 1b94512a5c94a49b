#pragma once

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <string>

#include "Board.h"
#include "BoardSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "TempFolder.h"
#include "VirtualClock.h"

// The link on an in-process board (or a scripted far end, see BoardSerialPort), on a virtual
// clock, in a fresh application folder, with every message it raises recorded and answered
// from a script.
class BoardRig {
public:
    static inline const QString SettingsFile = QStringLiteral("Support/RSPort.cfg");
    static constexpr int Ack = 0x55;
    static constexpr int None = BoardSerialPort::NoReply;

    TempFolder folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};

    // Opens the link (a script greets it) and forgets the opening's traffic; a failure to come
    // online fails the test.
    bool goOnline() {
        if (port.scripted())
            port.answer({Ack});
        link.OpenRSComm(port);
        port.clearWire();
        port.sent.clear();
        if (!link.OnlineMode)
            ADD_FAILURE() << "the link did not come online";
        return link.OnlineMode;
    }
    // Each byte sent with the board's answer: "FF/55 01/55 03/- ...".
    std::string wire() const { return port.wire().text(); }

    void writeSettings(const QByteArray& content) {
        if (!folder.write(SettingsFile, content))
            ADD_FAILURE() << "cannot write " << SettingsFile.toStdString();
    }
    // The settings file's bytes, or TempFolder::Missing.
    QByteArray settingsFile() const { return folder.read(SettingsFile); }
};

// The board rig as a test fixture.
class BoardRigTest : public ::testing::Test, public BoardRig {};

// The rig on a scripted far end whose bytes each take half a millisecond.
class PeerRigTest : public BoardRigTest {
protected:
    PeerRigTest() {
        port.script();
        port.setPace(500);
    }
};
