#include "model/ClipStoreRecords.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace ClipStoreRecords {
namespace {
const ClipText kJournalTag = u"Quillmate clip journal 2";
const ClipText kCacheTag = u"Quillmate clip cache 1";

constexpr uint64_t kChecksumStart = 1469598103934665603ull;

// FNV-1a over the code units, carried on from `h`.
uint64_t Checksum(const char16_t* p, size_t n, uint64_t h = kChecksumStart) {
    for (size_t i = 0; i < n; ++i) {
        h ^= static_cast<uint16_t>(p[i]);
        h *= 1099511628211ull;
    }
    return h;
}

// The tags and numbers of the records, each on a line of its own, over a reader's Peek, Advance
// and Take.
template <typename Self>
class RecordLines {
public:
    bool Tag(const ClipText& tag) { return self().Take(tag) && self().Take(u"\r\n"); }
    bool Number(uint64_t& v, uint64_t max) {
        v = 0;
        size_t digits = 0;
        char16_t c = 0;
        while (digits < 20 && self().Peek(c) && c >= u'0' && c <= u'9') {
            const uint64_t d = c - u'0';
            if (v > (UINT64_MAX - d) / 10) return false;
            v = v * 10 + d;
            ++digits;
            self().Advance(1);
        }
        return digits > 0 && v <= max && self().Take(u"\r\n");
    }
    bool Int(int& v, int max) {
        uint64_t u = 0;
        if (!Number(u, static_cast<uint64_t>(max))) return false;
        v = static_cast<int>(u);
        return true;
    }

private:
    Self& self() { return static_cast<Self&>(*this); }
};

class Reader : public RecordLines<Reader> {
    friend class RecordLines<Reader>;

public:
    explicit Reader(const ClipText& text) : t_(text) {}
    bool Text(ClipTextRef& out) {
        uint64_t n = 0;
        if (!Number(n, t_.size() - pos_)) return false;
        out = t_.substr(pos_, n);  // a buffer of its own: the record's text is let go
        pos_ += n;
        return Take(u"\r\n");
    }
    // The checksum line covers everything before it and nothing may follow it.
    bool End() {
        const size_t covered = pos_;
        uint64_t sum = 0;
        return Number(sum, UINT64_MAX) && pos_ == t_.size() && sum == Checksum(t_.data(), covered);
    }

private:
    bool Peek(char16_t& c) const {
        if (pos_ >= t_.size()) return false;
        c = t_[pos_];
        return true;
    }
    bool Advance(size_t n) {
        pos_ += n;
        return true;
    }
    bool Take(const ClipText& s) {
        if (t_.compare(pos_, s.size(), s) != 0) return false;
        pos_ += s.size();
        return true;
    }
    const ClipText& t_;
    size_t pos_ = 0;
};
// Reader's checks on a file read a slice at a time; the checksum runs along as it reads.
class SliceReader : public RecordLines<SliceReader> {
    friend class RecordLines<SliceReader>;

public:
    SliceReader(const PartReader& read, uint64_t size) : read_(read), size_(size) {}
    // A text's length and place, passed over.
    bool Skip(uint64_t& first, uint64_t& n) {
        if (!Number(n, size_ - pos_)) return false;
        first = pos_;
        return Advance(n) && Take(u"\r\n");
    }
    bool End() {
        const uint64_t covered = sum_;
        uint64_t sum = 0;
        return Number(sum, UINT64_MAX) && pos_ == size_ && sum == covered;
    }

private:
    static constexpr size_t kSlice = 1u << 20;
    bool Fill() {
        if (at_ < slice_.size()) return true;
        if (pos_ >= size_) return false;
        auto part = read_(pos_, static_cast<size_t>(std::min<uint64_t>(kSlice, size_ - pos_)));
        if (!part || part->empty()) return false;
        slice_ = std::move(*part);
        at_ = 0;
        return true;
    }
    bool Peek(char16_t& c) {
        if (!Fill()) return false;
        c = slice_[at_];
        return true;
    }
    bool Advance(uint64_t n) {
        while (n > 0) {
            if (!Fill()) return false;
            const size_t k = static_cast<size_t>(std::min<uint64_t>(n, slice_.size() - at_));
            sum_ = Checksum(slice_.data() + at_, k, sum_);
            at_ += k;
            pos_ += k;
            n -= k;
        }
        return true;
    }
    bool Take(const ClipText& s) {
        for (char16_t want : s) {
            char16_t c = 0;
            if (!Peek(c) || c != want) return false;
            Advance(1);
        }
        return true;
    }
    const PartReader& read_;
    const uint64_t size_;
    uint64_t pos_ = 0;
    ClipText slice_;
    size_t at_ = 0;
    uint64_t sum_ = kChecksumStart;
};

// The journal's layout, read by either reader; `text` takes each entry's text after its number.
template <typename R, typename TakeText>
bool ReadJournalWith(R& r, int& count, int& oldCount, std::vector<int>& frozen, TakeText&& text) {
    int frozenCount = 0, entries = 0, last = 0;
    if (!r.Tag(kJournalTag) || !r.Int(count, kMaxNumber) || !r.Int(oldCount, kMaxNumber) ||
        !r.Int(frozenCount, kMaxNumber))
        return false;
    for (int i = 0; i < frozenCount; ++i) {
        int n = 0;
        if (!r.Int(n, kMaxNumber) || n < 1) return false;
        frozen.push_back(n);
    }
    if (!r.Int(entries, count)) return false;
    for (int i = 0; i < entries; ++i) {
        int n = 0;
        // Ascending numbers within the new count.
        if (!r.Int(n, count) || n <= last || !text(n)) return false;
        last = n;
    }
    return r.End();
}
}  // namespace

// Builds a record part by part, its checksum as it goes.
class RecordWriter {
public:
    explicit RecordWriter(const ClipText& tag) {
        Own(tag);
        Own(u"\r\n");
    }
    void Number(uint64_t v) {
        const std::string s = std::to_string(v);
        Own(ClipText(s.begin(), s.end()));
        Own(u"\r\n");
    }
    void Text(const ClipTextRef& t) {
        Number(t.size());
        if (!t.empty()) {
            r_.parts_.push_back({&t.Str(), 0, t.size()});
            sum_ = Checksum(t.Str().data(), t.size(), sum_);
        }
        Own(u"\r\n");
    }
    RecordText Finish() {
        Number(sum_);
        return std::move(r_);
    }

private:
    void Own(const ClipText& s) {
        sum_ = Checksum(s.data(), s.size(), sum_);
        if (!r_.parts_.empty() && !r_.parts_.back().text) r_.parts_.back().size += s.size();
        else r_.parts_.push_back({nullptr, r_.own_.size(), s.size()});
        r_.own_ += s;
    }
    RecordText r_;
    uint64_t sum_ = kChecksumStart;
};

TextPieces RecordText::Pieces() const {
    TextPieces pieces;
    pieces.reserve(parts_.size());
    for (const Part& p : parts_)
        pieces.emplace_back(p.text ? std::u16string_view(*p.text) : std::u16string_view(own_).substr(p.at, p.size));
    return pieces;
}

ClipText RecordText::Joined() const {
    ClipText joined;
    for (const auto& p : Pieces()) joined += p;
    return joined;
}

ClipText FormatJournal(const ClipJournal& j) { return JournalRecord(j).Joined(); }

RecordText JournalRecord(const ClipJournal& j) {
    RecordWriter w(kJournalTag);
    w.Number(static_cast<uint64_t>(j.Count));
    w.Number(static_cast<uint64_t>(j.OldCount));
    w.Number(j.Frozen.size());
    for (int n : j.Frozen) w.Number(static_cast<uint64_t>(n));
    w.Number(j.Entries.size());
    for (const auto& [n, text] : j.Entries) {
        w.Number(static_cast<uint64_t>(n));
        w.Text(text);
    }
    return w.Finish();
}

std::optional<ClipJournal> ParseJournal(const ClipText& text) {
    Reader r(text);
    ClipJournal j;
    const bool whole = ReadJournalWith(r, j.Count, j.OldCount, j.Frozen, [&](int n) {
        ClipTextRef t;
        if (!r.Text(t)) return false;
        j.Entries.emplace_back(n, std::move(t));
        return true;
    });
    if (!whole) return std::nullopt;
    return j;
}

std::optional<JournalIndex> ScanJournal(const PartReader& read, uint64_t size) {
    SliceReader r(read, size);
    JournalIndex j;
    const bool whole = ReadJournalWith(r, j.Count, j.OldCount, j.Frozen, [&](int n) {
        JournalIndex::Entry e{n, 0, 0};
        if (!r.Skip(e.First, e.Size)) return false;
        j.Entries.push_back(e);
        return true;
    });
    if (!whole) return std::nullopt;
    return j;
}

RecordText CacheRecord(const ClipCache& c) {
    RecordWriter w(kCacheTag);
    w.Number(c.Clips.size());
    for (const auto& e : c.Clips) {
        w.Number(e.Stamp.Size);
        w.Number(e.Stamp.WriteTime);
        w.Text(e.Text);
    }
    return w.Finish();
}

std::optional<ClipCache> ParseCache(const ClipText& text) {
    Reader r(text);
    ClipCache c;
    int count = 0;
    if (!r.Tag(kCacheTag) || !r.Int(count, kMaxNumber)) return std::nullopt;
    c.Clips.resize(static_cast<size_t>(count));
    for (auto& e : c.Clips)
        if (!r.Number(e.Stamp.Size, UINT64_MAX) || !r.Number(e.Stamp.WriteTime, UINT64_MAX) || !r.Text(e.Text))
            return std::nullopt;
    if (!r.End()) return std::nullopt;
    return c;
}

}  // namespace ClipStoreRecords
