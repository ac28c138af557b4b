#include "model/ClipText.h"

#include <utility>

namespace {
const ClipText kCrLf = u"\r\n";

bool EndsWith(const ClipText& s, const ClipText& p) {
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}
}  // namespace

namespace Func {

ClipText TrimClipText(const ClipText& text) {
    // Work on indexes instead of copies: a pasted megabyte of blanks must not cost quadratic time.
    size_t b = 0, e = text.size();
    for (;;) {
        const size_t n = e - b;
        if (n == 0 || (n == 1 && text[b] == u' ')) return ClipText();
        if (n >= 2 && text[b] == u'\r' && text[b + 1] == u'\n') b += 2;
        else if (text[b] == u' ') b += 1;
        else if (text[e - 1] == u' ') e -= 1;
        else if (n >= 2 && text[e - 2] == u'\r' && text[e - 1] == u'\n') e -= 2;
        else return text.substr(b, n);
    }
}

void SwapClips(ClipRecord& a, ClipRecord& b) { std::swap(a, b); }

}  // namespace Func

void JoinStep(ClipText& j, const ClipText& x, int32_t combination) {
    switch (combination) {
        case 1:
            if (j.empty()) j = x;
            else j += kCrLf + x;
            break;
        case 2:
            j += x;
            break;
        case 3:
            if (j.empty()) j = x;
            else if (EndsWith(j, kCrLf)) j += x;
            else j += kCrLf + x;
            break;
        default:
            break;
    }
}

bool IsBlankClipText(const ClipText& text) { return text.empty() || text == u" " || text == kCrLf; }
