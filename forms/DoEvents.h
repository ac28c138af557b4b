#pragma once
// DoEvents: handles every window message already waiting, then returns.
namespace forms {
void DoEvents();
}
