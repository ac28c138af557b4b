#pragma once
// mdlCode: opening a registry key as a RegKey.
#include <cstdint>
#include <memory>
#include <string>

#include "support/RegKey.h"

namespace mdlCode {

// A new key bound to Root + Path; closed when it could not be opened (or created, with Create).
std::unique_ptr<RegKey> OpenRegKey(int32_t Root, const std::wstring& Path, bool Create);

}  // namespace mdlCode
