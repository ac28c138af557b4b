#include "model/TipsFile.h"

#include <algorithm>
#include <string>

#include "model/ClipText.h"
#include "support/mdlLog.h"

namespace {

// A decoded character takes at most two bytes of an ANSI code page.
constexpr size_t kMostTipBytes = 2 * kMostTipChars;

bool IsComment(const ClipText& line) { return line.size() >= 2 && line[0] == u'/' && line[1] == u'/'; }

ClipText Formatted(size_t number, const ClipText& text) {
    const std::string n = std::to_string(number);
    return u"Tip " + ClipText(n.begin(), n.end()) + u":\r\n\r\n" + text;
}

// Collects the tips line by line and tells in the log what it left out.
class TipList {
public:
    // cut: the line was longer than the part given.
    void Add(const ClipText& line, bool cut) {
        ClipText tip = Func::TrimClipText(line);
        if (tip.empty() || IsComment(tip)) return;
        if (tips_.size() >= kMostTips) {
            ++leftOut_;
            return;
        }
        if (cut || tip.size() > kMostTipChars) {
            tip.resize(std::min(tip.size(), kMostTipChars));
            ++shortened_;
        }
        tips_.push_back(Formatted(tips_.size() + 1, tip));
    }
    std::vector<ClipText> Take() {
        if (leftOut_)
            mdlLog::WriteLog(">>> 'Tips.txt' holds " + std::to_string(kMostTips + leftOut_) + " tips; only the first " +
                             std::to_string(kMostTips) + " are shown.");
        if (shortened_)
            mdlLog::WriteLog(">>> Lines of 'Tips.txt' longer than " + std::to_string(kMostTipChars) +
                             " characters: " + std::to_string(shortened_) + "; their tips show the beginning.");
        if (tips_.empty()) tips_.push_back(u"'Tips.txt' are empty!");
        return std::move(tips_);
    }

private:
    std::vector<ClipText> tips_;
    size_t leftOut_ = 0, shortened_ = 0;
};

// Splits characters into lines as any editor writes them: CR LF, a lone CR or a lone LF ends a
// line, and what follows the last line end is a line too. A line keeps at most `most` characters;
// `cut` tells the handler that it had more.
template <class Char>
class LineSplitter {
public:
    explicit LineSplitter(size_t most) : most_(most) {}
    template <class OnLine>
    void Put(Char c, const OnLine& onLine) {
        if (c == Char('\n') && afterCr_) {
            afterCr_ = false;
            return;
        }
        afterCr_ = c == Char('\r');
        if (c == Char('\r') || c == Char('\n'))
            End(onLine);
        else if (line_.size() < most_)
            line_ += c;
        else
            cut_ = true;
    }
    template <class OnLine>
    void End(const OnLine& onLine) {
        onLine(line_, cut_);
        line_.clear();
        cut_ = false;
    }

private:
    const size_t most_;
    std::basic_string<Char> line_;
    bool cut_ = false, afterCr_ = false;
};

}  // namespace

std::vector<ClipText> ParseTips(const ClipText& fileText) {
    TipList tips;
    LineSplitter<char16_t> lines(fileText.size());  // the whole text is in memory already
    const auto add = [&](const ClipText& line, bool cut) { tips.Add(line, cut); };
    for (char16_t c : fileText) lines.Put(c, add);
    lines.End(add);
    return tips.Take();
}

std::vector<ClipText> ReadTips(std::istream& bytes, const DecodeTipLine& decode) {
    TipList tips;
    LineSplitter<char> lines(kMostTipBytes);
    const auto add = [&](const std::string& line, bool cut) { tips.Add(decode(line), cut); };
    char buffer[64 * 1024];
    while (bytes.read(buffer, sizeof buffer) || bytes.gcount() > 0)
        for (std::streamsize i = 0; i < bytes.gcount(); ++i) lines.Put(buffer[i], add);
    lines.End(add);
    return tips.Take();
}
