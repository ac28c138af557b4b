#pragma once
// ClipRecord: one clip of the history.
#include <cstdint>
#include <memory>
#include <string>

using ClipText = std::u16string;  // clip texts are UTF-16 code units, as the clipboard holds them

// One clip text, held once. The history, the last clipboard text, the save thread, the clip
// store and its cache all keep the same immutable buffer: copying a ClipTextRef copies a pointer,
// never the text, and the buffer goes when its last holder lets go (on any thread).
class ClipTextRef {
public:
    ClipTextRef() = default;
    // Takes the text over; pass an rvalue where the caller's copy is not needed any more.
    ClipTextRef(ClipText text)  // NOLINT: a text stands wherever a clip text is expected
        : p_(text.empty() ? nullptr : std::make_shared<const ClipText>(std::move(text))) {}
    ClipTextRef(const char16_t* text) : ClipTextRef(ClipText(text)) {}  // NOLINT

    const ClipText& Str() const { return p_ ? *p_ : Empty(); }
    operator const ClipText&() const { return Str(); }  // NOLINT: reads like the text it holds
    size_t size() const { return Str().size(); }
    bool empty() const { return Str().empty(); }
    void clear() { p_.reset(); }

    // The same buffer needs no comparison of megabytes.
    friend bool operator==(const ClipTextRef& a, const ClipTextRef& b) { return a.p_ == b.p_ || a.Str() == b.Str(); }
    friend bool operator==(const ClipTextRef& a, const ClipText& b) { return a.Str() == b; }
    friend bool operator==(const ClipTextRef& a, const char16_t* b) { return a.Str() == b; }

private:
    // Made at start-up, not on first use: a first use on the save thread while the process ends
    // would register its destruction under the lock the ending holds while it joins that thread.
    static const ClipText& Empty() { return kEmptyText; }
    static inline const ClipText kEmptyText{};
    std::shared_ptr<const ClipText> p_;
};

struct ClipRecord {
    int16_t ClipType = 1;  // 1 = text, the only kind ever made
    ClipTextRef Text;
    ClipText CopyTime;  // kept for the record layout; always empty
    ClipText CopyDate;
    bool Selected = false;
};
