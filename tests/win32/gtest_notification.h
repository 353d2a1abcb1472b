// mingw's win32-threads runtime has no std::mutex, which GoogleTest's
// Notification is built on; this one is built on a Win32 event instead and
// is put in place of it before GoogleTest's own headers are read.
#pragma once

#include "win32/platform.h"

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
