// The recording sink of the start-up trace, linked into the measuring build
// of the player (quizz_traced.exe) only. Once the board has settled, a
// zero-delay timer waits for the paints then pending (timers come after
// paints), marks "painted" and writes startup-trace.txt into the current
// folder: "moment<TAB>ms<TAB>name" and "cost<TAB>total ms<TAB>count<TAB>
// largest ms<TAB>name" lines.
#include "win32/startup_trace.h"

#include "win32/platform.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int largestMarks = 64;

struct Moment {
    const char* name;
    double ms;
};

struct Cost {
    const char* name;
    double total;
    int count;
    double largest;
};

struct Trace {
    CRITICAL_SECTION lock;
    double createdMs;
    double (*nowMs)();
    Moment moments[largestMarks];
    int momentCount;
    Cost costs[largestMarks];
    int costCount;
    bool written;
};

double fileTimeMs(const FILETIME& time)
{
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return double(value.QuadPart) / 10000.0;
}

// The precise clock where there is one: the creation time is a system time,
// so start-up is read on the same clock.
double preciseNowMs()
{
    using Reader = void(WINAPI*)(FILETIME*);
    static Reader precise = reinterpret_cast<Reader>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME now;
    if (precise)
        precise(&now);
    else
        GetSystemTimeAsFileTime(&now);
    return fileTimeMs(now);
}

Trace& trace()
{
    static Trace* made = [] {
        Trace* fresh = new Trace{};
        InitializeCriticalSection(&fresh->lock);
        FILETIME created, exited, kernel, user;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        fresh->createdMs = fileTimeMs(created);
        fresh->nowMs = preciseNowMs;
        return fresh;
    }();
    return *made;
}

struct Locked {
    Trace& held;
    Locked() : held(trace()) { EnterCriticalSection(&held.lock); }
    ~Locked() { LeaveCriticalSection(&held.lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

void writeTrace()
{
    Locked locked;
    Trace& held = locked.held;
    if (held.written)
        return;
    held.written = true;
    std::FILE* file = std::fopen("startup-trace.txt.part", "w");
    if (!file)
        return;
    for (int at = 0; at < held.momentCount; ++at)
        std::fprintf(file, "moment\t%.2f\t%s\n", held.moments[at].ms, held.moments[at].name);
    for (int at = 0; at < held.costCount; ++at) {
        const Cost& cost = held.costs[at];
        std::fprintf(file, "cost\t%.2f\t%d\t%.2f\t%s\n", cost.total, cost.count, cost.largest, cost.name);
    }
    std::fclose(file);
    // Whole or not there: the measuring tool reads it as soon as it shows.
    MoveFileExA("startup-trace.txt.part", "startup-trace.txt", MOVEFILE_REPLACE_EXISTING);
}

bool isSpreadCost(const Cost& cost)
{
    return std::strncmp(cost.name, "spread", 6) == 0;
}


void CALLBACK paintedThenWrite(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    markStartup("painted");
    writeTrace();
}

}  // namespace

double startupClock()
{
    Trace& held = trace();
    return held.nowMs() - held.createdMs;
}

void markStartup(const char* moment)
{
    double now = startupClock();
    Locked locked;
    Trace& held = locked.held;
    for (int at = 0; at < held.momentCount; ++at)
        if (std::strcmp(held.moments[at].name, moment) == 0)
            return;
    if (held.momentCount < largestMarks)
        held.moments[held.momentCount++] = {moment, now};
}

void addStartupCost(const char* cost, double since)
{
    double spent = startupClock() - since;
    Locked locked;
    Trace& held = locked.held;
    for (int at = 0; at < held.costCount; ++at) {
        Cost& known = held.costs[at];
        if (std::strcmp(known.name, cost) == 0) {
            known.total += spent;
            ++known.count;
            if (spent > known.largest)
                known.largest = spent;
            return;
        }
    }
    if (held.costCount < largestMarks)
        held.costs[held.costCount++] = {cost, spent, 1, spent};
}

void finishStartupTrace()
{
    markStartup("settled");
    SetTimer(nullptr, 0, 0, paintedThenWrite);
}

void finishSpreadTrace()
{
    Locked locked;
    Trace& held = locked.held;
    std::FILE* file = std::fopen("spread-trace.txt.part", "w");
    if (file) {
        for (int at = 0; at < held.costCount; ++at) {
            const Cost& cost = held.costs[at];
            if (isSpreadCost(cost))
                std::fprintf(file, "cost\t%.2f\t%d\t%.2f\t%s\n", cost.total, cost.count, cost.largest, cost.name);
        }
        std::fclose(file);
        MoveFileExA("spread-trace.txt.part", "spread-trace.txt", MOVEFILE_REPLACE_EXISTING);
    }
    int kept = 0;
    for (int at = 0; at < held.costCount; ++at)
        if (!isSpreadCost(held.costs[at]))
            held.costs[kept++] = held.costs[at];
    held.costCount = kept;
}
