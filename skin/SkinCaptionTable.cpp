#include "skin/SkinCaptionTable.h"

#include <exception>

#include "skin/mParse.h"

namespace mdlSkin {

CaptionsOutcome ApplyCaptionTable(const std::string& fileText, CaptionSink& sink) {
    CaptionsOutcome out;
    const auto lines = mParse::SplitLines(fileText);
    for (const char* target : kCaptionTargets) {
        if (static_cast<size_t>(out.captionsSet) >= lines.size()) {
            out.ok = false;
            return out;
        }
        try {
            sink.SetCaption(target, lines[out.captionsSet]);
        } catch (const std::exception&) {
            out.ok = false;
            return out;
        }
        ++out.captionsSet;
    }
    return out;
}

}  // namespace mdlSkin
