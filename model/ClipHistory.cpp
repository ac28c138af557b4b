#include "model/ClipHistory.h"

#include <algorithm>

#include "model/ClipText.h"

namespace {
// Whether trimming would change the text: most texts keep their buffer without a trial copy.
bool Trimmable(const ClipText& t) {
    const size_t n = t.size();
    return n > 0 && (t[0] == u' ' || t[n - 1] == u' ' || (n >= 2 && t[0] == u'\r' && t[1] == u'\n') ||
                     (n >= 2 && t[n - 2] == u'\r' && t[n - 1] == u'\n'));
}
}  // namespace

bool ClipHistory::AddClip(const ClipTextRef& content, const ClipText& copyDate,
                          const ClipText& copyTime, bool remExtra, ClipTextRef& lastClipText) {
    if (IsBlankClipText(content) || content == lastClipText) return false;
    ClipTextRef t = content;
    if (remExtra && Trimmable(content)) t = Func::TrimClipText(content);
    if (IsBlankClipText(t) || t == lastClipText) return false;
    lastClipText = content;

    if (clips_.size() >= static_cast<size_t>(kMaxClips)) {
        const auto oldest = static_cast<int16_t>(clips_.size() - 1);
        totalChars_ -= clips_.front().Text.size();
        clips_.erase(clips_.begin());
        std::erase(prevIndex_, oldest);
        if (OldestDropped) OldestDropped();
    }
    const int16_t countBefore = ClipCount();
    totalChars_ += t.size();
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

void ClipHistory::ClickSelect(int n, bool ctrl, bool shift) {
    if (n < 0 || n >= ClipCount()) return;
    const auto index = static_cast<int16_t>(n);
    std::erase(prevIndex_, index);
    if (!ctrl && !shift) {
        // Only the clips the order names lose their flag: one selected by a Ctrl+Shift click keeps it.
        for (int16_t i : prevIndex_) clips_[Slot(i)].Selected = false;
        clips_[Slot(n)].Selected = true;
        prevIndex_.assign(1, index);
    } else if (shift && !ctrl) {
        if (prevIndex_.empty()) return;
        const int anchor = prevIndex_.back();
        for (int i = std::min(anchor, n); i <= std::max(anchor, n); ++i) {
            clips_[Slot(i)].Selected = true;
            prevIndex_.push_back(static_cast<int16_t>(i));
        }
        // The anchor itself was named again at the seam: one entry is enough.
        prevIndex_.erase(std::unique(prevIndex_.begin(), prevIndex_.end()), prevIndex_.end());
    } else if (ctrl && !shift) {
        ClipRecord& c = clips_[Slot(n)];
        c.Selected = !c.Selected;
        if (c.Selected) prevIndex_.push_back(index);
    }
}

void ClipHistory::SelectAll() {
    prevIndex_.clear();
    for (int i = 0; i < ClipCount(); ++i) {
        clips_[Slot(i)].Selected = true;
        prevIndex_.push_back(static_cast<int16_t>(i));
    }
}

ClipTextRef ClipHistory::GetSelectedClipsText(int32_t combination) const {
    const auto selected = std::count_if(clips_.begin(), clips_.end(), [](const ClipRecord& c) { return c.Selected; });
    if (selected == 1 && combination >= 1 && combination <= 3)
        return std::find_if(clips_.begin(), clips_.end(), [](const ClipRecord& c) { return c.Selected; })->Text;
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
    totalChars_ = 0;
    for (const auto& c : clips_) totalChars_ += c.Text.size();
    prevIndex_.clear();
    if (Removed) Removed();
}

void ClipHistory::Delete_All() {
    clips_.clear();
    totalChars_ = 0;
    prevIndex_.clear();
    if (Removed) Removed();
}
