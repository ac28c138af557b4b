#include "skin/SkinTargets.h"

#include "support/AnsiText.h"

namespace mdlSkin {

void SkinTargetTable::AddPicture(const std::string& t, std::function<void(const forms::Picture&)> f) {
    pictures_[t] = std::move(f);
}
void SkinTargetTable::AddScroll(const std::string& t, std::function<void(const ScrollPictures&)> f) {
    scrolls_[t] = std::move(f);
}
void SkinTargetTable::AddCall(const std::string& a, std::function<void()> f) { calls_[a] = std::move(f); }
void SkinTargetTable::AddCaption(const std::string& t, std::function<void(const std::wstring&)> f) {
    captions_[t] = std::move(f);
}
void SkinTargetTable::AddGeometry(const std::string& t, Geometry g) { geometry_[t] = std::move(g); }

void SkinTargetTable::SetPicture(const BitmapRow& row, const forms::Picture& picture) {
    if (auto it = pictures_.find(row.target); it != pictures_.end()) it->second(picture);
}
void SkinTargetTable::SetScrollPictures(const std::string& target, const ScrollPictures& pictures) {
    if (auto it = scrolls_.find(target); it != scrolls_.end()) it->second(pictures);
}
void SkinTargetTable::Call(const std::string& action) {
    if (auto it = calls_.find(action); it != calls_.end()) it->second();
}
void SkinTargetTable::SetCaption(const std::string& target, const std::string& ansiText) {
    if (auto it = captions_.find(target); it != captions_.end()) {
        const std::u16string text = AnsiToUtf16(ansiText);
        it->second(std::wstring(text.begin(), text.end()));
    }
}
void SkinTargetTable::Set(const std::string& target, SizeProp prop, double value) {
    if (auto it = geometry_.find(target); it != geometry_.end()) it->second.set(prop, value);
}
double SkinTargetTable::Get(const std::string& target, SizeProp prop) {
    auto it = geometry_.find(target);
    return it != geometry_.end() ? it->second.get(prop) : 0;
}

}  // namespace mdlSkin
