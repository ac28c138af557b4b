#pragma once
// SkinSizeTable: what "Sizes.dat" sets: window sizes, control places and button corners, applied
// through a sink so the table needs no window.
#include <string>
#include <vector>

namespace mdlSkin {

enum class SizeProp { Left, Top, Width, Height, CC, He };

// Where the size table's values go. Targets are a window ("fExit") or a control ("fExit.OK");
// values are in the target's own units (windows in twips, controls in their window's scale).
// Throwing refuses the value, which fails the whole table.
class SizeSink {
public:
    virtual ~SizeSink() = default;
    virtual void Set(const std::string& target, SizeProp prop, double value) = 0;
    virtual double Get(const std::string& target, SizeProp prop) = 0;
};

struct SizesOutcome {
    bool ok = true;
    int failedLine = 0;                // 1-based; 0 when the file itself failed (empty)
    std::string reason;                // for the log
    std::vector<int> unknownLines;     // lines whose name is no key (each logged)
};

// Applies the lines of "Sizes.dat" in order; stops at the first failing line, keeping what the
// lines before it set. An empty text is a failure; a file of comments only is not.
SizesOutcome ApplySizeTable(const std::string& fileText, double twipsX, double twipsY, SizeSink& sink);

}  // namespace mdlSkin
