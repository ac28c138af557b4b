#pragma once
// ClipHistory: the clips, newest first, with their selection; knows nothing of windows.
#include <cstdint>
#include <functional>
#include <vector>

#include "model/ClipRecord.h"

class ClipHistory {
public:
    // ClipCount is a 16-bit count: at this many clips the oldest one gives way to a new one.
    static constexpr int kMaxClips = 32767;

    // Index 0 is the newest clip.
    const ClipRecord& Clip(int index) const { return clips_.at(Slot(index)); }
    int16_t ClipCount() const { return static_cast<int16_t>(clips_.size()); }
    // Every clip, the oldest first: the order in which they are stored.
    const std::vector<ClipRecord>& OldestFirst() const { return clips_; }

    // Takes Content as the newest clip unless it is blank or equal to lastClipText (also after
    // trimming, when remExtra is on). On success lastClipText becomes the untrimmed Content; both
    // share its buffer unless trimming changed the text.
    bool AddClip(const ClipTextRef& content, const ClipText& copyDate, const ClipText& copyTime,
                 bool remExtra, ClipTextRef& lastClipText);

    // The characters of every clip text together. A new clip is taken from the clipboard only
    // while they stay within the budget, so that the history, its files and one more clip always
    // fit the 32-bit address space with room to spare; saved clips always load, whatever it says.
    static constexpr size_t kTextBudgetChars = 192u * 1024 * 1024;  // 384 MB of UTF-16
    size_t TotalChars() const { return totalChars_; }
    bool HasRoomFor(size_t chars) const { return chars <= budget_ && totalChars_ <= budget_ - chars; }
    void SetTextBudget(size_t chars) { budget_ = chars; }

    // Selection: the Selected flags and the order in which clips were selected (the last entry
    // anchors a Shift range). An index may appear more than once in the order.
    void SetSelected(int index, bool selected);
    const std::vector<int16_t>& PrevIndex() const { return prevIndex_; }
    void ClearSelectionOrder() { prevIndex_.clear(); }
    // A click on clip n with the modifier keys held: plain selects only n, Ctrl toggles n, Shift
    // adds the range from the anchor to n, Ctrl+Shift only drops n from the selection order.
    void ClickSelect(int n, bool ctrl, bool shift);
    // Every clip, in index order.
    void SelectAll();

    // The selected clips, newest first, joined by the rule of `combination`; "" when none is.
    // One selected clip is its own text, shared rather than copied.
    ClipTextRef GetSelectedClipsText(int32_t combination) const;
    // Every clip, newest first, joined by the same rule.
    ClipText GetAllClipsText(int32_t combination) const;

    // Removes the selected clips; the others keep their relative order.
    void Delete_Selected();
    void Delete_All();

    // Announcements for whoever shows or stores the history.
    std::function<void(int16_t countBefore)> Added;  // a clip now stands at index 0
    std::function<void()> OldestDropped;  // the oldest clip gave way to a new one at the limit
    std::function<void()> Removed;        // clips were deleted

private:
    size_t Slot(int index) const { return clips_.size() - 1 - static_cast<size_t>(index); }
    // Kept oldest first, so that a new clip is appended: loading a long history stays linear.
    std::vector<ClipRecord> clips_;
    std::vector<int16_t> prevIndex_;
    size_t totalChars_ = 0;
    size_t budget_ = kTextBudgetChars;
};
