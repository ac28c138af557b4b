#include "forms/WaitAnswering.h"

#include <windows.h>

#include <exception>
#include <memory>
#include <thread>

namespace forms {

namespace {
// A sent message wakes the wait; peeking with PM_QS_SENDMESSAGE delivers the sent ones and leaves
// every posted message, input and paint in the queue. False once `handle` is signalled or `ms`
// have passed.
bool WaitForSent(HANDLE* handle, DWORD ms) {
    if (MsgWaitForMultipleObjects(handle ? 1 : 0, handle, FALSE, ms, QS_SENDMESSAGE) != WAIT_OBJECT_0 + (handle ? 1 : 0))
        return false;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    return true;
}
}  // namespace

void WaitAnswering(const std::function<void()>& work) {
    std::unique_ptr<void, decltype(&CloseHandle)> done(CreateEventW(nullptr, TRUE, FALSE, nullptr), &CloseHandle);
    if (!done) return work();
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done.get());
    });
    HANDLE event = done.get();
    while (WaitForSent(&event, INFINITE)) {
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void SleepAnswering(unsigned ms) {
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start)  // unsigned: right across the wrap
        if (!WaitForSent(nullptr, ms - passed)) return;
}

}  // namespace forms
