#pragma once

#include <gtest/gtest.h>

#include "CtlProcess.h"
#include "QStringPrinter.h"
#include "SimulatorProcess.h"

// A fresh simulator as port 1 of its own application folder, and vorna7ctl pointed at it.
class CtlAgainstSim : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(sim.failure(), QString()); }

    CtlProcess::Result ctl(const QStringList& arguments) {
        return CtlProcess::run(QStringList{"--appdir", sim.appDir()} + arguments);
    }

    SimulatorProcess sim;
};
