// Skin loading: the size table, the captions and every bitmap handed out in order, and the failure
// paths of a broken skin (the offer of the default skin) and of a broken default skin (the stop).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>

#include "SkinTestSupport.h"
#include "skin/SkinTargets.h"

using namespace rartest;

namespace {

// Records what a load hands out: one line per picture, scroll set ("... scroll") and call ("... call").
class Recorder : public mdlSkin::SkinTargets {
public:
    std::vector<std::string> rows, captions;
    std::vector<int> widths;  // of every picture handed out
    void SetPicture(const mdlSkin::BitmapRow& row, const forms::Picture& p) override {
        EXPECT_FALSE(p.IsEmpty());
        rows.push_back(row.target);
        widths.push_back(p.WidthPx());
    }
    void SetScrollPictures(const std::string& target, const mdlSkin::ScrollPictures& s) override {
        EXPECT_FALSE(s.pMidLow.IsEmpty());
        rows.push_back(target + " scroll");
        for (const forms::Picture* p : {&s.pTop, &s.pLow, &s.pBG, &s.pMidUp, &s.pMidDown, &s.pMid, &s.pMidTop, &s.pMidLow})
            widths.push_back(p->WidthPx());
    }
    void Call(const std::string& action) override { rows.push_back(action + " call"); }
    void SetCaption(const std::string& target, const std::string& text) override { captions.push_back(target + "=" + text); }
    void Set(const std::string&, mdlSkin::SizeProp, double) override {}
    double Get(const std::string&, mdlSkin::SizeProp) override { return 0; }
};

using skintest::Box;
const UINT kOffer = MB_OKCANCEL | MB_ICONEXCLAMATION, kStop = MB_OK | MB_ICONHAND;

class SkinLoad : public skintest::SkinFolder {
protected:
    void SetUp() override {
        SkinFolder::SetUp();
        AddPackage("Default");
        mdlSkin::SetSkinTargets([this]() -> mdlSkin::SkinTargets& { return targets; });
    }
    // A package made from the default skin's files with some replaced (or, as nullopt, left out).
    void AddSkin(const std::string& name, const std::map<std::string, std::optional<std::string>>& changes) {
        std::vector<qmrar::WriterEntry> entries;
        for (const auto& file : FilesBelow(QM_DEFAULT_SKIN_DIR)) {
            auto change = changes.find(file);
            if (change == changes.end()) {
                auto bytes = ReadBytes(fs::path(QM_DEFAULT_SKIN_DIR) / file);
                entries.push_back(Entry(file, std::string(bytes.begin(), bytes.end())));
            } else if (change->second) {
                entries.push_back(Entry(file, *change->second));
            }
        }
        AddPackage(name, qmrar::WriteArchive({}, entries)[0]);
    }
    // The log's lines from the skin load on, each "T " when time-stamped, else "P ".
    std::vector<std::string> LogLines() {
        std::ifstream f(tmp.Path() / "Log.txt", std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(f, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const size_t bar = line.find(" || ");
            const bool stamped = bar == 8;
            std::string text = stamped ? line.substr(bar + 4) : line;
            if (text.starts_with("Unpacking")) continue;
            if (text.starts_with(">>> ")) text = text.substr(0, text.find(':'));
            lines.push_back((stamped ? "T " : "P ") + text);
        }
        return lines;
    }

    Recorder targets;
};

// Every row of the bitmap table, as the recorder writes it.
std::vector<std::string> AllTargets() {
    std::vector<std::string> v;
    for (const auto& row : mdlSkin::kBitmapRows)
        v.push_back(row.target + std::string(row.how == mdlSkin::BitmapHow::ScrollSet ? " scroll"
                                             : row.how == mdlSkin::BitmapHow::Call    ? " call"
                                                                                      : ""));
    return v;
}

// A 24-bit bitmap one pixel high.
std::string OneRowBitmap(int widthPx) {
    const std::string pixels(static_cast<size_t>((widthPx * 3 + 3) / 4 * 4), '\x7f');
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof(BITMAPINFOHEADER) + pixels.size()), 0, 0,
                        sizeof fh + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER ih{sizeof ih, widthPx, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    return std::string(reinterpret_cast<const char*>(&fh), sizeof fh) +
           std::string(reinterpret_cast<const char*>(&ih), sizeof ih) + pixels;
}

}  // namespace

// A whole load of the default skin is the second half of each "ok" row; the windows themselves: SkinWindows.
TEST_F(SkinLoad, BrokenSkinOffersTheDefaultSkin) {
    struct Case {
        std::map<std::string, std::optional<std::string>> changes;
        std::string step;       // "", " sizes" or " language"
        size_t rowsBefore;      // rows applied from the broken skin
        size_t captionsBefore;
    };
    const auto all = AllTargets();
    const Case cases[] = {
        {{{"Tray/Exit.bmp", std::nullopt}}, "",
         static_cast<size_t>(std::ranges::find(all, "fTray.bExit") - all.begin()), 18},
        {{{"Sizes.dat", "Main_Form[300]\r\nMain_Paste]1,2,3,4[\r\n"}}, " sizes", 0, 0},
        {{{"Language.dat", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl\r\nm\r\nn\r\no\r\np\r\nq"}},
         " language", 0, 17},
    };
    for (const Case& c : cases) {
        for (int cancel = 0; cancel < 2; ++cancel) {
            SCOPED_TRACE(c.step + (cancel ? " cancel" : " ok"));
            AddSkin("Blue", c.changes);
            mdlLog::DeleteLog();
            targets = Recorder();
            boxes.clear();
            ended = 0;
            answer = cancel ? IDCANCEL : IDOK;
            Load("Blue");
            EXPECT_EQ(boxes, (std::vector<Box>{{"Error during load skin" + c.step + "\r\nLoad Default skin?", kOffer,
                                                "Quillmate"}}));
            EXPECT_EQ(ended, cancel);
            auto rows = std::vector<std::string>(all.begin(), all.begin() + c.rowsBefore);
            std::vector<std::string> log = {"T Start loading skin", "T >>> Error during loading skin" + c.step};
            if (!cancel) {
                // The default skin is loaded whole; after a failed table the first run goes on with it.
                rows.insert(rows.end(), all.begin(), all.end());
                log.insert(log.end(), {"T Start loading skin", "T End loading skin"});
                if (!c.step.empty()) {
                    rows.insert(rows.end(), all.begin(), all.end());
                    log.push_back("T End loading skin");
                }
            }
            EXPECT_EQ(targets.rows, rows);
            // The nested load sets all 18; after a failed size table the first run sets them again.
            EXPECT_EQ(targets.captions.size(), c.captionsBefore + (cancel ? 0 : c.step == " sizes" ? 36 : 18));
            EXPECT_EQ(mGlobal::SkinName, cancel ? "Blue" : "Default");
            EXPECT_EQ(LogLines(), log);
            EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
        }
    }
}

TEST_F(SkinLoad, BrokenDefaultSkinStopsWithoutAnOffer) {
    const std::pair<std::map<std::string, std::optional<std::string>>, std::string> cases[] = {
        {{{"Main/i.bmp", std::nullopt}}, ""},
        {{{"Sizes.dat", std::string()}}, " sizes"},
        {{{"Language.dat", std::nullopt}}, " language"},
    };
    for (const auto& [changes, step] : cases) {
        AddSkin("Default", changes);
        boxes.clear();
        ended = 0;
        Load("default");  // the default skin in any letter case
        EXPECT_EQ(boxes, (std::vector<Box>{{"Error during load default skin" + step, kStop, "Quillmate"}}));
        EXPECT_EQ(ended, 1);
        EXPECT_FALSE(fs::exists(tmp.Path() / "Skin"));
    }
}

// What the default skin dresses, counted from the bitmaps in its package: each one once, the shared
// buttons and check box once per window that shows them, the scroll-bar set once per bar.
TEST_F(SkinLoad, EveryBitmapOfThePackageDressesAsManyTargetsAsUseIt) {
    const std::map<std::string, int> shared = {{"OK.bmp", 3}, {"Cancel.bmp", 2}, {"Check.bmp", 3}, {"Close.bmp", 4}};
    std::vector<qmrar::WriterEntry> entries;
    std::map<int, std::string> fileOfWidth;  // each bitmap swapped for one of a width of its own
    std::map<std::string, int> expected;
    for (const auto& [file, bytes] : PackageFiles("Default")) {
        if (!file.ends_with(".bmp")) {
            entries.push_back(Entry(file, bytes));
            continue;
        }
        const int width = static_cast<int>(fileOfWidth.size()) + 1;
        fileOfWidth[width] = file;
        entries.push_back(Entry(file, OneRowBitmap(width)));
        expected[file] = file.starts_with("Scrolls/") ? 3 : shared.contains(file) ? shared.at(file) : 1;
    }
    AddPackage("Marked", qmrar::WriteArchive({}, entries)[0]);
    Load("Marked");
    std::map<std::string, int> handedOut;
    for (int width : targets.widths) ++handedOut[fileOfWidth.contains(width) ? fileOfWidth[width] : "?"];
    EXPECT_FALSE(handedOut.contains("?")) << "a picture that is no bitmap of the package";
    for (const auto& [file, uses] : expected) EXPECT_EQ(handedOut[file], uses) << file;
    EXPECT_TRUE(boxes.empty());
}
