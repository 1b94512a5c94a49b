#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// One application object for the whole run (windows, QProcess, QTcpSocket and QSerialPort
// all want one); offscreen unless the caller chose a platform.
class QtWidgetsEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QCoreApplication::instance())
            application_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[13] = "vorna7-tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtWidgetsEnvironment);

} // namespace
