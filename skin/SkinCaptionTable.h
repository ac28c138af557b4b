#pragma once
// SkinCaptionTable: the 18 captions of "Language.dat", one per line in a fixed order.
#include <array>
#include <string>

namespace mdlSkin {

// Line n of the file is the caption of target n: a label ("fMain.lblEmpty", an array element
// "fOptions.Label3(1)") or a window's own title ("fOptions").
inline constexpr std::array<const char*, 18> kCaptionTargets = {
    "fMain.lblEmpty",     "fOptions.lblSkin",   "fOptions.lblTr1",    "fOptions.lblTr2",
    "fOptions.lblSpeed",  "fOptions.Label1",    "fOptions.Label3(1)", "fOptions.Label3(2)",
    "fOptions.Label3(3)", "fOptions.Label3(4)", "fOptions.Label3(5)", "fOptions.Label3(6)",
    "fExit.Label1",       "fHide.Label2",       "fHide.Label3",       "fOptions",
    "fHide",              "fExit",
};

// Where the captions go; the text is the line as read, in the ANSI code page. Throwing refuses it.
class CaptionSink {
public:
    virtual ~CaptionSink() = default;
    virtual void SetCaption(const std::string& target, const std::string& ansiText) = 0;
};

struct CaptionsOutcome {
    bool ok = true;
    int captionsSet = 0;
};

// Sets caption n from line n as soon as it is read; fewer than 18 lines (or a refused caption)
// fails after the captions before it. Lines after the 18th are not read.
CaptionsOutcome ApplyCaptionTable(const std::string& fileText, CaptionSink& sink);

}  // namespace mdlSkin
