#pragma once
// The runner's own memory as the kernel counts it (/proc/self/status): resident now and at its peak.

struct ResidentMemory {
    long nowKb = 0;   // VmRSS
    long peakKb = 0;  // VmHWM
};

// Zeros where the figures cannot be read.
ResidentMemory ReadResidentMemory();
