#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "gtest/internal/custom/gtest-port.h"

namespace testing::internal {

Notification::Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (event_ == nullptr) {
        std::fprintf(stderr, "GoogleTest: CreateEventA failed (%lu)\n", GetLastError());
        std::abort();
    }
}

Notification::~Notification() { CloseHandle(event_); }

void Notification::Notify() { SetEvent(event_); }

void Notification::WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

}  // namespace testing::internal
