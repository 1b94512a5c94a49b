#pragma once

#include <QString>
#include <array>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

class QTcpSocket;
struct SoakState;

// Spoils the board now and then through the simulator's control channel, on a thread of its
// own so the faults come and go whatever the program is doing; after each fault it heals the
// board and times how long the program takes to answer again.
class FaultInjector {
public:
    enum Kind { WrongEcho, WrongAcknowledge, SilentBoard, LineDrop, PLSBusy, PLSNeverReady };
    static constexpr int KindCount = 6;
    static constexpr double AnswerLimitSeconds = 10;

    FaultInjector(quint16 controlPort, SoakState& state, unsigned seed);
    ~FaultInjector();
    FaultInjector(const FaultInjector&) = delete;
    FaultInjector& operator=(const FaultInjector&) = delete;

    void start();
    // Heals the board and waits for the thread.
    void finish();

    int injected() const { return injected_; }
    int reported() const { return reported_; }
    int stalls() const { return stalls_; }
    double longestRecovery() const { return longestRecovery_; }
    std::array<int, KindCount> byKind() const { return byKind_; }
    static const char* name(int kind);
    // Empty, or why the control channel failed.
    QString failure() const { return failure_; }

private:
    void run();
    bool pause(double seconds);
    void episode(QTcpSocket& control);
    double inject(QTcpSocket& control, Kind kind);
    bool heal(QTcpSocket& control);
    void awaitAnswer(double healedAt, Kind kind);
    bool send(QTcpSocket& control, const QString& line);
    int between(int low, int high);

    quint16 controlPort_;
    SoakState& state_;
    std::mt19937 random_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;

    int injected_ = 0;
    int reported_ = 0;
    int stalls_ = 0;
    double longestRecovery_ = 0;
    std::array<int, KindCount> byKind_{};
    QString failure_;
};
