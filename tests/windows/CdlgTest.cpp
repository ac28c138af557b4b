// The save-file dialog's settings as the platform receives them; the dialog itself is shown by
// the end-to-end export test.
#include <gtest/gtest.h>

#include "support/clsCdlgEx.h"

TEST(CommonDialog, FiltersBecomeNulSeparatedAndPropertiesReadBack) {
    using namespace std::string_literals;
    EXPECT_EQ(clsCdlgEx::FilterForDialog(u"Text (*.txt)|*.txt|All|*.*"), "Text (*.txt)\0*.txt\0All\0*.*\0\0"s);
    EXPECT_EQ(clsCdlgEx::FilterForDialog(u"Plain Text (*.txt)"), "Plain Text (*.txt)\0\0"s);
    clsCdlgEx d;
    EXPECT_EQ(d.IconSize(), 32);
    d.SetIconSize(24);
    EXPECT_EQ(d.IconSize(), 32);
    d.SetIconSize(16);
    EXPECT_EQ(d.IconSize(), 16);
    d.SetDefaultExt(u"txt");
    EXPECT_EQ(d.DefaultExt(), u"txt");
    d.SetFileName(std::u16string(256, u'a'));
    EXPECT_ANY_THROW(d.ShowSave());  // longer than the dialog's buffer
}
