#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Board.h"
#include "BoardSerialPort.h"
#include "RSComm.h"
#include "ScriptedPrompter.h"
#include "VirtualClock.h"

// A link on an in-process board and a virtual clock, in a fresh application folder.
class LinkFixture : public ::testing::Test {
protected:
    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedPrompter prompter;
    sim::Board board;
    BoardSerialPort port{board, clock};
    RSComm link{folder.path(), clock, prompter};

    void goOnline() {
        link.OpenRSComm(port);
        ASSERT_TRUE(link.OnlineMode);
        port.clearWire();
    }
    std::string wire() const { return port.wire().text(); }
    void writeSettings(const QByteArray& content) {
        QDir(folder.path()).mkpath(QStringLiteral("Support"));
        QFile file(folder.filePath(QStringLiteral("Support/RSPort.cfg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray settingsFile() const {
        QFile file(folder.filePath(QStringLiteral("Support/RSPort.cfg")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};
