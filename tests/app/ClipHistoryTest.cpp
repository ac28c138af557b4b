#include <gtest/gtest.h>

#include "model/ClipHistory.h"

namespace {
struct History : ::testing::Test {
    ClipHistory h;
    ClipTextRef last;
    bool Add(const ClipText& t, bool remExtra = false) { return h.AddClip(t, u"", u"", remExtra, last); }
    std::vector<ClipText> Texts() const {
        std::vector<ClipText> v;
        for (int i = 0; i < h.ClipCount(); ++i) v.push_back(h.Clip(i).Text);
        return v;
    }
    void AddFive() {
        for (auto t : {u"e", u"d", u"c", u"b", u"a"}) Add(t);  // a is index 0
    }
};
}  // namespace

// Only the last text is compared, also after trimming; a rejected text leaves the last text alone.
TEST_F(History, BlankTextsAndTheLastTextAgainAreRejectedNewestFirst) {
    struct {
        const char16_t* text;
        bool remExtra, added;
        const char16_t* last;
    } steps[] = {
        {u"a", false, true, u"a"},   {u"a", false, false, u"a"}, {u"b", false, true, u"b"},
        {u"a", false, true, u"a"},   {u"", false, false, u"a"},  {u" ", false, false, u"a"},
        {u"\r\n", false, false, u"a"}, {u"  ", false, true, u"  "},  // two blanks are a clip
        {u"  word  ", true, true, u"  word  "}, {u"word", true, true, u"word"},
        {u" word ", true, false, u"word"},      {u"   ", true, false, u"word"},  // trims to nothing
        {u"   ", false, true, u"   "},
    };
    std::vector<int> counts;
    h.Added = [&](int16_t before) { counts.push_back(before); };
    for (const auto& s : steps) {
        EXPECT_EQ(Add(s.text, s.remExtra), s.added) << &s - steps;
        EXPECT_EQ(last, s.last) << &s - steps;
    }
    EXPECT_EQ(Texts(), (std::vector<ClipText>{u"   ", u"word", u"word", u"  ", u"a", u"b", u"a"}));
    EXPECT_EQ(counts, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(History, SelectionFollowsItsClipsAsNewOnesArriveAndJoinsNewestFirst) {
    AddFive();
    h.SetSelected(3, true);  // "d"
    h.SetSelected(1, true);  // "b"
    EXPECT_EQ(h.GetSelectedClipsText(1), u"b\r\nd");  // index order, not selection order
    Add(u"new\r\n");
    EXPECT_EQ(h.PrevIndex(), (std::vector<int16_t>{4, 2}));
    EXPECT_TRUE(h.Clip(4).Selected);
    EXPECT_EQ(h.Clip(4).Text, u"d");
    EXPECT_EQ(h.GetSelectedClipsText(2), u"bd");
    EXPECT_EQ(h.GetAllClipsText(3), u"new\r\na\r\nb\r\nc\r\nd\r\ne");
    EXPECT_EQ(h.GetAllClipsText(1), u"new\r\n\r\na\r\nb\r\nc\r\nd\r\ne");  // a line end even after one
    h.ClickSelect(0, false, false);  // one clip alone is its own buffer, not a copy
    EXPECT_EQ(&h.GetSelectedClipsText(3).Str(), &h.Clip(0).Text.Str());
    EXPECT_EQ(h.GetSelectedClipsText(4), u"");
}

TEST_F(History, DeletingTheSelectedKeepsTheOthersInOrderAndDeleteAllEmptiesEverything) {
    AddFive();
    h.SetSelected(1, true);
    h.SetSelected(3, true);
    int removed = 0;
    h.Removed = [&] { ++removed; };
    h.Delete_Selected();
    EXPECT_EQ(Texts(), (std::vector<ClipText>{u"a", u"c", u"e"}));
    // The budget counts what stays: room comes back with deletions.
    h.SetTextBudget(5);
    EXPECT_TRUE(h.HasRoomFor(2));
    EXPECT_FALSE(h.HasRoomFor(3));
    EXPECT_FALSE(h.HasRoomFor(SIZE_MAX));
    EXPECT_TRUE(h.PrevIndex().empty());
    EXPECT_EQ(removed, 1);
    h.SetSelected(0, true);
    h.Delete_All();
    EXPECT_EQ(h.ClipCount(), 0);
    EXPECT_TRUE(h.HasRoomFor(5));
    EXPECT_TRUE(h.PrevIndex().empty());
    EXPECT_EQ(h.GetSelectedClipsText(3), u"");
    EXPECT_TRUE(Add(u"new"));
    EXPECT_EQ(Texts(), std::vector<ClipText>{u"new"});
}

TEST_F(History, AtTheCountLimitTheOldestClipGivesWay) {
    int dropped = 0;
    h.OldestDropped = [&] { ++dropped; };
    for (int i = 0; i < ClipHistory::kMaxClips; ++i) ASSERT_TRUE(Add(u"clip" + ClipText(1, char16_t(u'0' + i % 10)) + char16_t(i)));
    const ClipText secondOldest = h.Clip(ClipHistory::kMaxClips - 2).Text;
    h.SetSelected(ClipHistory::kMaxClips - 1, true);
    h.SetSelected(5, true);
    EXPECT_TRUE(Add(u"one more"));
    EXPECT_EQ(h.ClipCount(), ClipHistory::kMaxClips);  // never wraps to a negative count
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(h.Clip(0).Text, u"one more");
    EXPECT_EQ(h.Clip(ClipHistory::kMaxClips - 1).Text, secondOldest);
    EXPECT_EQ(h.PrevIndex(), (std::vector<int16_t>{6}));  // the dropped clip's selection went with it
}

// Click sequences on a history of eight clips: which clips end selected, and the order list.
TEST_F(History, ClickSelectionFollowsTheModifierRules) {
    enum Mod { Plain, Ctrl, Shift, Both, All };
    struct Case {
        const char* name;
        std::vector<std::pair<Mod, int>> clicks;
        std::vector<int> selected;
        std::vector<int16_t> order;
    };
    const Case cases[] = {
        {"plain click replaces", {{Plain, 1}, {Plain, 5}}, {5}, {5}},
        {"shift range, anchor moves down", {{Plain, 1}, {Shift, 4}}, {1, 2, 3, 4}, {1, 2, 3, 4}},
        {"shift back inside keeps anchor", {{Plain, 1}, {Shift, 4}, {Shift, 2}}, {1, 2, 3, 4}, {1, 3, 4, 2, 3, 4}},
        {"shift upward keeps anchor", {{Plain, 4}, {Shift, 1}, {Shift, 6}}, {1, 2, 3, 4, 5, 6}, {4, 1, 2, 3, 4, 5, 6}},
        {"shift with empty order", {{Shift, 3}}, {}, {}},
        {"ctrl toggles", {{Ctrl, 2}, {Ctrl, 6}, {Ctrl, 2}}, {6}, {6}},
        {"ctrl+shift keeps flag through a plain click", {{Plain, 1}, {Ctrl, 3}, {Both, 3}, {Plain, 5}}, {3, 5}, {5}},
        {"ctrl-click after select all", {{All, 0}, {Ctrl, 7}}, {0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.Delete_All();
        last.clear();
        for (int i = 0; i < 8; ++i) Add(ClipText(1, char16_t(u'a' + i)));
        for (auto [mod, n] : c.clicks)
            if (mod == All) h.SelectAll();
            else h.ClickSelect(n, mod == Ctrl || mod == Both, mod == Shift || mod == Both);
        std::vector<int> selected;
        for (int i = 0; i < h.ClipCount(); ++i)
            if (h.Clip(i).Selected) selected.push_back(i);
        EXPECT_EQ(selected, c.selected);
        EXPECT_EQ(h.PrevIndex(), c.order);
    }
}
