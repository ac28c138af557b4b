#pragma once
// MRWUnrar: the callback the RAR library calls while it processes a file, and three small routines.
#include <windows.h>

#include <cstdint>
#include <string>

class CRWUnrar;

namespace MRWUnrar {

// Registered with RARSetCallback; UserData is the address of the CRWUnrar running the operation.
int CALLBACK RarCallback(UINT msg, LPARAM UserData, LPARAM P1, LPARAM P2);
// The wrapper object registered as user data; valid for the length of one callback.
CRWUnrar& ObjFromPtr(LPARAM pointer);
// The NUL-terminated ANSI text at the address; "" for a null pointer.
std::string PtrToAnsiString(LPARAM pointer);
// Hi * 2^32 + Lo, both read as unsigned.
double CombineHiLo(uint32_t Hi, uint32_t Lo);

}  // namespace MRWUnrar
