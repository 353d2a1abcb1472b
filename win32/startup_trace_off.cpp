#include "win32/startup_trace.h"

double startupClock()
{
    return 0;
}

void markStartup(const char*) {}

void addStartupCost(const char*, double) {}

void finishStartupTrace() {}

void finishSpreadTrace() {}
