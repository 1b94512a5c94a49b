#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// QProcess, QTcpSocket and QSerialPort want an application object, even when only their
// blocking waits are used.
class QtApplicationEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        if (!QCoreApplication::instance())
            application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[6] = "tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
