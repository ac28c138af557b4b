#pragma once
// WaitAnswering: long work off the window thread, which answers what others send it meanwhile.
#include <functional>

namespace forms {

// Runs `work` on a thread of its own and waits until it has finished. Meanwhile the calling thread
// answers the messages that other threads and programs send to its windows (a clipboard viewer
// that answers nothing holds up every program's copy; a program looking for ours by its windows'
// titles waits) and handles nothing else: no input, paint or timer of this program runs in
// between, so none of it sees the work half done. An exception from `work` is thrown here.
void WaitAnswering(const std::function<void()>& work);

// Sleeps `ms` milliseconds the same way: answering what others send, handling nothing else.
void SleepAnswering(unsigned ms);

}  // namespace forms
