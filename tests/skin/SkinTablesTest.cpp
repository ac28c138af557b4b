// The size and caption tables of a skin, as lines in and the values they set out.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "skin/SkinCaptionTable.h"
#include "skin/SkinSizeTable.h"
#include "skin/mParse.h"

using namespace mdlSkin;

namespace {

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "|" : "") + v[i];
    return s;
}

// Records every value set as "target.Prop=value"; reads back what was set; refuses one target.
class Recorder : public SizeSink, public CaptionSink {
public:
    std::vector<std::string> log;
    std::string refuse;
    void Set(const std::string& t, SizeProp p, double v) override {
        if (t == refuse) throw std::runtime_error("refused");
        std::ostringstream s;
        s << t << "." << kProps[static_cast<int>(p)] << "=" << v;
        log.push_back(s.str());
        values_[t + kProps[static_cast<int>(p)]] = v;
    }
    double Get(const std::string& t, SizeProp p) override { return values_[t + kProps[static_cast<int>(p)]]; }
    void SetCaption(const std::string& t, const std::string& text) override {
        if (t == refuse) throw std::runtime_error("refused");
        log.push_back(t + "=" + text);
    }

private:
    static constexpr const char* kProps[] = {"Left", "Top", "Width", "Height", "CC", "He"};
    std::map<std::string, double> values_;
};

}  // namespace

TEST(SkinParse, LinesSplitIntoNameAndValues) {
    struct Case { std::string line, name; std::vector<std::string> params; };
    const Case cases[] = {
        {" exit_ok [ 10 , 20 ,75, 8 ] tail", "exit_ok", {"10", "20", "75", "8"}},
        {"//Exit_OK[1,2,3,4]", "", {}},
        {"  //Exit_OK[1]", "//Exit_OK", {"1"}},
        {"Main_Form", "Main_Form", {}},
        {"Main_Form[250", "Main_Form[250", {}},
        {"Key[]", "Key", {""}},
        {"Key[,,]", "Key", {"", "", ""}},
        {"[1,2]", "", {"1", "2"}},
        {"Key\t[1]", "Key\t", {"1"}},
    };
    for (const Case& c : cases) {
        const ParsedLine p = mParse::ParseLine(c.line);
        EXPECT_EQ(p.Name, c.name) << c.line;
        EXPECT_EQ(p.Params, c.params) << c.line;
    }
    EXPECT_THROW(mParse::ParseLine("Key]1,2["), std::invalid_argument);
}

TEST(SkinParse, ValuesReadTheirLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"75", 75},     {"-5", -5},    {"+7", 7},      {"2.5", 2.5},  {".5", 0.5},   {"1.5.3", 1.5},
        {"1e2", 100},   {"1D2", 100},  {"1e", 1},      {"10px", 10},  {"px10", 0},   {"", 0},
        {"-", 0},       {"&H14", 20},  {"&hFFFF", -1}, {"&H10000", 65536}, {"&O17", 15}, {"1\t2", 12},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(mParse::LeadingNumber(text), value) << text;
}

TEST(SkinParse, LinesEndAtCrOrCrLfOnly) {
    EXPECT_EQ(Joined(mParse::SplitLines("a\r\nb\rc\nd")), "a|b|c\nd");
    EXPECT_EQ(Joined(mParse::SplitLines("a\r\n\r\n")), "a|");
    EXPECT_TRUE(mParse::SplitLines("").empty());
}

TEST(SkinSizes, EachLineSetsItsTargetsInTheirUnits) {
    struct Case { std::string text; const char* expected; bool ok; int failedLine; };
    const Case cases[] = {
        // Spaces vanish and case does not count; pixel windows take the values as they are.
        {" exit_ok [ 10 , 20 , 75 , 8 ]", "fExit.OK.Left=10|fExit.OK.Top=20|fExit.OK.Width=75|fExit.OK.CC=8", true, 0},
        // Twips windows: left, top and width times 15, the corner as it is.
        {"Tray_Insert[10,20,75,8]",
         "fTray.Insert.Left=150|fTray.Insert.Top=300|fTray.Insert.Width=1125|fTray.Insert.CC=8", true, 0},
        {"Tray_ShowHide[1,2,3,4]",
         "fTray.bHide.Left=15|fTray.bHide.Top=30|fTray.bHide.Width=45|fTray.bHide.CC=4|"
         "fTray.bShow.Left=15|fTray.bShow.Top=30|fTray.bShow.Width=45|fTray.bShow.CC=4", true, 0},
        {"Exit_Check[16,72]",
         "fExit.CheckBox1.Left=16|fExit.CheckBox1.Top=72|fExit.Label1.Top=72|fExit.Label1.Left=32", true, 0},
        {"PopUp_Form[100,41]", "fPopUp.Width=1500|fPopUp.Height=615|fPopUp.He=40", true, 0},
        {"Exit_Form[200,100]", "fExit.Width=3000|fExit.Height=1500|fExit.lblMove.Width=200", true, 0},
        {"Main_Form[250,99]", "fMain.Width=3750", true, 0},
        {"Main_Scroll[294,37,9]", "fMain.Scroll.Left=4410|fMain.Scroll.Top=555", true, 0},
        {"Hide_Text[1,2,3,4]", "fHide.Label3.Left=1|fHide.Label3.Top=2|fHide.Label3.Width=3|fHide.Label3.Height=4",
         true, 0},
        {"Start_Down[10px,&H14,7.5e1,7.5]", "fStart.Down.Left=10|fStart.Down.Top=20|fStart.Down.Width=75|fStart.Down.CC=8",
         true, 0},
        // Empty names are skipped; a name that is no key is logged and reading goes on; the last line wins.
        {"\r\n   \r\n//x\r\n[1]\r\n  //Exit_OK[1,2,3,4]\r\nNoKey\r\nMain_Form[1]\r\nMain_Form[2]",
         "fMain.Width=15|fMain.Width=30", true, 0},
        {"//only a comment", "", true, 0},
        // Failures keep what the lines before set.
        {"", "", false, 0},
        {"Main_Form[1]\r\nExit_OK]1,2,3,4[\r\nMain_Form[2]", "fMain.Width=15", false, 2},
        {"Exit_OK[1,2,3,300]", "fExit.OK.Left=1|fExit.OK.Top=2|fExit.OK.Width=3", false, 1},
        {"Exit_OK[1,2,3,255.5]", "fExit.OK.Left=1|fExit.OK.Top=2|fExit.OK.Width=3", false, 1},
        {"Exit_OK[1,2,3,-0.5]", "fExit.OK.Left=1|fExit.OK.Top=2|fExit.OK.Width=3|fExit.OK.CC=0", true, 0},
        {"PopUp_Form[1,40000]", "fPopUp.Width=15", false, 1},
        {"Exit_OK[1,2,3]", "", false, 1},
        {"Exit_OK", "", false, 1},
        {"Main_Form[3]\r\nOptions_Ok[1,2,3,4]", "fMain.Width=45", false, 2},  // the dialog refuses
        // A window of no size, of a million digits, or of a NUL are broken sizes too.
        {"Main_Form[1]\r\nMain_Form[" + std::string(1000000, '9') + "]", "fMain.Width=15", false, 2},
        {std::string("Exit_Form[\0,5]", 14), "", false, 1},
        {"PopUp_Form[10,0]", "fPopUp.Width=150", false, 1},
        // Values past those a key uses are ignored, whatever they hold; those it uses are checked.
        {"Main_Form[323,1e999]", "fMain.Width=4845", true, 0},
        {"Exit_Check[16,72,-" + std::string(400, '9') + "]",
         "fExit.CheckBox1.Left=16|fExit.CheckBox1.Top=72|fExit.Label1.Top=72|fExit.Label1.Left=32", true, 0},
        {"Exit_OK[1,2,3,8,1e999]", "fExit.OK.Left=1|fExit.OK.Top=2|fExit.OK.Width=3|fExit.OK.CC=8", true, 0},
        {"Main_Form[1e999,5]", "", false, 1},
        {"Hide_Text[1,2,3,1e999]", "", false, 1},
    };
    for (const Case& c : cases) {
        Recorder r;
        r.refuse = "fOptions.bOK";
        const SizesOutcome out = ApplySizeTable(c.text, 15, 15, r);
        const std::string text = c.text.substr(0, 60);
        EXPECT_EQ(Joined(r.log), c.expected) << text;
        EXPECT_EQ(out.ok, c.ok) << text;
        EXPECT_EQ(out.failedLine, c.failedLine) << text;
    }
}

TEST(SkinSizes, NamesThatAreNoKeyAreCounted) {
    Recorder r;
    const auto out = ApplySizeTable("  //Exit_OK[1,2,3,4]\r\nNoKey[1]\r\n//x\r\nMain_Form[1]", 15, 15, r);
    EXPECT_EQ(out.unknownLines, (std::vector<int>{1, 2}));
}

TEST(SkinCaptions, EighteenLinesInTheirFixedOrder) {
    std::string full;
    for (int n = 1; n <= 18; ++n) full += (n > 1 ? "\r\n" : "") + std::string(n == 1 ? "" : n == 2 ? "//two" : "  c") +
                                          (n > 2 ? std::to_string(n) : "");
    struct Case { std::string text; int set; bool ok; };
    const Case cases[] = {
        {full, 18, true},                       // the last line has no line end
        {full + "\r\nextra\r\n", 18, true},     // lines after the 18th are not read
        {full.substr(0, full.rfind("\r\n")), 17, false},
        {"", 0, false},
    };
    for (const Case& c : cases) {
        Recorder r;
        const CaptionsOutcome out = ApplyCaptionTable(c.text, r);
        EXPECT_EQ(out.captionsSet, c.set);
        EXPECT_EQ(out.ok, c.ok);
        ASSERT_EQ(r.log.size(), static_cast<size_t>(c.set));
        if (c.set == 18) {
            EXPECT_EQ(r.log[0], "fMain.lblEmpty=");  // an empty line gives an empty caption
            EXPECT_EQ(r.log[1], "fOptions.lblSkin=//two");
            EXPECT_EQ(r.log[6], "fOptions.Label3(1)=  c7");
            EXPECT_EQ(r.log[15], "fOptions=  c16");
            EXPECT_EQ(r.log[17], "fExit=  c18");
        }
    }
    Recorder r;
    r.refuse = "fOptions.lblTr1";
    EXPECT_EQ(ApplyCaptionTable(full, r).captionsSet, 2);
}
