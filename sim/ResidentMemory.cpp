#include "sim/ResidentMemory.h"

#include <cstdio>
#include <cstring>

ResidentMemory ReadResidentMemory() {
    ResidentMemory memory;
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return memory;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        long kb = 0;
        if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) memory.nowKb = kb;
        else if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) memory.peakKb = kb;
    }
    std::fclose(status);
    return memory;
}
