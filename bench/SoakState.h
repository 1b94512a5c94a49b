#pragma once

#include <atomic>
#include <chrono>

// What the operator (the program's thread) and the fault injector (a thread of its own) share,
// in seconds of the steady clock since the soak began.
struct SoakState {
    SoakState() : start_(std::chrono::steady_clock::now()) {}

    double now() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

    std::atomic<double> lastReply{0}; // a byte came back from the board
    std::atomic<double> heartbeat{0}; // the program's event loop ran
    std::atomic<long long> exchanges{0};
    std::atomic<long long> errorMessages{0};
    std::atomic<bool> faultActive{false};
    std::atomic<bool> finished{false};

private:
    std::chrono::steady_clock::time_point start_;
};
