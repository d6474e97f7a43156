// GoogleTest's customisation header for the cross build, found before its own (empty) one.
// The single-thread runtime of that toolchain has no std::mutex or std::condition_variable,
// and GoogleTest's Notification (which only its own thread helpers use) is built on them:
// here it waits on a Win32 event instead.
#ifndef HF_GTEST_WIN32_CUSTOM_PORT_H
#define HF_GTEST_WIN32_CUSTOM_PORT_H

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

private:
    void* event_;  // a manual-reset event: once set, every wait returns
};

}  // namespace testing::internal

#endif
