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

}  // namespace

std::vector<ClipText> ParseTips(const ClipText& fileText) {
    TipList tips;
    size_t start = 0;
    while (start <= fileText.size()) {
        // A line ends at CR LF, a lone CR or a lone LF, whichever editor wrote the file.
        size_t end = fileText.find_first_of(u"\r\n", start);
        if (end == ClipText::npos) end = fileText.size();
        tips.Add(fileText.substr(start, end - start), false);
        if (end == fileText.size()) break;
        start = end + ((fileText[end] == u'\r' && end + 1 < fileText.size() && fileText[end + 1] == u'\n') ? 2 : 1);
    }
    return tips.Take();
}

std::vector<ClipText> ReadTips(std::istream& bytes, const DecodeTipLine& decode) {
    TipList tips;
    std::string line;
    bool cut = false, afterCr = false;
    const auto endLine = [&] {
        tips.Add(decode(line), cut);
        line.clear();
        cut = false;
    };
    char buffer[64 * 1024];
    while (bytes.read(buffer, sizeof buffer) || bytes.gcount() > 0) {
        for (std::streamsize i = 0; i < bytes.gcount(); ++i) {
            const char b = buffer[i];
            // The same line ends as in ParseTips: CR LF, a lone CR or a lone LF.
            if (b == '\n' && afterCr) {
                afterCr = false;
                continue;
            }
            afterCr = b == '\r';
            if (b == '\r' || b == '\n') {
                endLine();
            } else if (line.size() < kMostTipBytes) {
                line += b;
            } else {
                cut = true;
            }
        }
    }
    endLine();
    return tips.Take();
}
