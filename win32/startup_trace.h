// Where the player's start-up time goes. The player that ships links
// startup_trace_off.cpp, which records nothing and costs a call; the build
// made for measuring links win32/startup_trace_file.cpp, which keeps
// every mark in milliseconds since the process was created and writes them
// out once the board has settled and been painted.
#pragma once

// Milliseconds since the process was created; 0 where nothing is recorded.
double startupClock();
// A moment of start-up on the main thread; only its first mark counts.
void markStartup(const char* moment);
// Adds the time from `since` (a startupClock() reading) to now to a named
// cost, counted once more; safe from any thread.
void addStartupCost(const char* cost, double since);
// Called once the board has settled: the record is written once what the
// settling left to paint has been painted.
void finishStartupTrace();
// Called when an F1 spread is done: the costs named "spread ..." are written
// to spread-trace.txt and start again from nothing for the next spread.
void finishSpreadTrace();
