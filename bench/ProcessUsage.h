#pragma once

// This process's resident memory and CPU time, for the figures of the benchmarks.
class ProcessUsage {
public:
    // A line of /proc/self/status in megabytes ("VmRSS:", "VmHWM:"); 0 when unreadable.
    static double statusMegabytes(const char* key);
    static double residentMegabytes() { return statusMegabytes("VmRSS:"); }
    // User and system time so far.
    static double cpuSeconds();
};
