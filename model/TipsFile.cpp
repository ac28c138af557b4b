#include "model/TipsFile.h"

#include <string>

#include "model/ClipText.h"
#include "support/mdlLog.h"

namespace {

bool IsComment(const ClipText& line) { return line.size() >= 2 && line[0] == u'/' && line[1] == u'/'; }

ClipText Formatted(size_t number, const ClipText& text) {
    const std::string n = std::to_string(number);
    return u"Tip " + ClipText(n.begin(), n.end()) + u":\r\n\r\n" + text;
}

}  // namespace

std::vector<ClipText> ParseTips(const ClipText& fileText) {
    std::vector<ClipText> tips;
    size_t leftOut = 0;
    size_t start = 0;
    while (start <= fileText.size()) {
        // A line ends at CR LF, a lone CR or a lone LF, whichever editor wrote the file.
        size_t end = fileText.find_first_of(u"\r\n", start);
        if (end == ClipText::npos) end = fileText.size();
        const ClipText line = Func::TrimClipText(fileText.substr(start, end - start));
        if (!line.empty() && !IsComment(line)) {
            if (tips.size() < kMostTips)
                tips.push_back(Formatted(tips.size() + 1, line));
            else
                ++leftOut;
        }
        if (end == fileText.size()) break;
        start = end + ((fileText[end] == u'\r' && end + 1 < fileText.size() && fileText[end + 1] == u'\n') ? 2 : 1);
    }
    if (leftOut)
        mdlLog::WriteLog(">>> 'Tips.txt' holds " + std::to_string(kMostTips + leftOut) + " tips; only the first " +
                         std::to_string(kMostTips) + " are shown.");
    if (tips.empty()) tips.push_back(u"'Tips.txt' are empty!");
    return tips;
}
