#include "app/ClipHistory.h"

#include <algorithm>

#include "app/ClipText.h"

bool ClipHistory::AddClip(const ClipText& content, const ClipText& copyDate,
                          const ClipText& copyTime, bool remExtra, ClipText& lastClipText) {
    if (IsBlankClipText(content) || content == lastClipText) return false;
    ClipText t = remExtra ? Func::TrimClipText(content) : content;
    if (IsBlankClipText(t) || t == lastClipText) return false;
    lastClipText = content;

    if (clips_.size() >= static_cast<size_t>(kMaxClips)) {
        const auto oldest = static_cast<int16_t>(clips_.size() - 1);
        clips_.erase(clips_.begin());
        std::erase(prevIndex_, oldest);
        if (OldestDropped) OldestDropped();
    }
    const int16_t countBefore = ClipCount();
    clips_.push_back(ClipRecord{1, std::move(t), copyTime, copyDate, false});
    for (auto& i : prevIndex_) ++i;
    if (Added) Added(countBefore);
    return true;
}

void ClipHistory::SetSelected(int index, bool selected) {
    if (index < 0 || index >= ClipCount()) return;
    clips_[Slot(index)].Selected = selected;
    if (selected) prevIndex_.push_back(static_cast<int16_t>(index));
    else std::erase(prevIndex_, static_cast<int16_t>(index));
}

ClipText ClipHistory::GetSelectedClipsText(int32_t combination) const {
    ClipText j;
    for (auto it = clips_.rbegin(); it != clips_.rend(); ++it)
        if (it->Selected) JoinStep(j, it->Text, combination);
    return j;
}

ClipText ClipHistory::GetAllClipsText(int32_t combination) const {
    ClipText j;
    for (auto it = clips_.rbegin(); it != clips_.rend(); ++it) JoinStep(j, it->Text, combination);
    return j;
}

void ClipHistory::Delete_Selected() {
    std::erase_if(clips_, [](const ClipRecord& c) { return c.Selected; });
    prevIndex_.clear();
    if (Removed) Removed();
}

void ClipHistory::Delete_All() {
    clips_.clear();
    prevIndex_.clear();
    if (Removed) Removed();
}
