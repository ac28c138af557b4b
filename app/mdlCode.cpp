#include "app/mdlCode.h"

namespace mdlCode {

std::unique_ptr<RegKey> OpenRegKey(int32_t Root, const std::wstring& Path, bool Create) {
    auto key = std::make_unique<RegKey>();
    key->Init(Root, Path, Create);
    return key;
}

}  // namespace mdlCode
