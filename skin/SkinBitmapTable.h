#pragma once
// SkinBitmapTable: which bitmap of the skin folder goes to which window or control, in the order
// a skin load applies them.
#include <array>

namespace mdlSkin {

enum class BitmapHow {
    WindowPicture,  // the borderless window's background picture
    Picture,        // an image or picture box (for arrays: element 0, then the others share it)
    LoadSkin,       // a push button's strip
    SetSkin,        // a check box's or radio button's strip (siblings share it through GetSkin)
    Reference,      // a window's public picture member
    ScrollSet,      // the eight pictures of a scroll bar (kScrollFiles)
    Call,           // no file: a window lays itself out from what it was given
};

struct BitmapRow {
    const char* file;    // relative to the program folder; null for ScrollSet and Call
    const char* target;  // "fExit" (the window), "fExit.OK", or the call "fTips.LoadBackG"
    BitmapHow how;
};

// The scroll-bar set, in the order of Scroll.LoadPicture's arguments.
inline constexpr std::array<const char*, 8> kScrollFiles = {
    "\\Skin\\Scrolls\\Button_Up.bmp",  "\\Skin\\Scrolls\\Button_Down.bmp", "\\Skin\\Scrolls\\BG.bmp",
    "\\Skin\\Scrolls\\Scroll_Top.bmp", "\\Skin\\Scrolls\\Scroll_Low.bmp",  "\\Skin\\Scrolls\\Scroll_Mid.bmp",
    "\\Skin\\Scrolls\\Scroll_UpMid.bmp", "\\Skin\\Scrolls\\Scroll_DownMid.bmp",
};

using H = BitmapHow;
// Window by window: fExit, fMain, fPopUp, fStart, fAbout, fTips, fTray, fInsert, fHide, fOptions.
inline constexpr BitmapRow kBitmapRows[] = {
    {"\\Skin\\Exit\\Background.bmp", "fExit", H::WindowPicture},
    {"\\Skin\\OK.bmp", "fExit.OK", H::LoadSkin},
    {"\\Skin\\Cancel.bmp", "fExit.bCancel", H::LoadSkin},
    {"\\Skin\\Check.bmp", "fExit.CheckBox1", H::SetSkin},
    {"\\Skin\\Main\\Background_Top.bmp", "fMain.iTop", H::Picture},
    {"\\Skin\\Main\\Background_mid.bmp", "fMain.iMid", H::Picture},
    {"\\Skin\\Main\\Background_Low.bmp", "fMain.iLow", H::Picture},
    {"\\Skin\\Main\\Clip_Selected.bmp", "fMain.Sel_Picture", H::Reference},
    {"\\Skin\\Main\\Clip.bmp", "fMain.Not_Sel_Picture", H::Reference},
    {"\\Skin\\Main\\Delete.bmp", "fMain.Delete", H::LoadSkin},
    {"\\Skin\\Main\\Save.bmp", "fMain.Save", H::LoadSkin},
    {"\\Skin\\Main\\Paste.bmp", "fMain.Paste", H::LoadSkin},
    {"\\Skin\\Main\\Options.bmp", "fMain.Options", H::LoadSkin},
    {"\\Skin\\Main\\i.bmp", "fMain.Tips", H::LoadSkin},
    {nullptr, "fMain.Scroll", H::ScrollSet},
    {"\\Skin\\Main\\Pop-up.bmp", "fPopUp.iBack", H::Picture},
    {"\\Skin\\Start\\Background.bmp", "fStart", H::WindowPicture},
    {"\\Skin\\Close.bmp", "fStart.bClose", H::LoadSkin},
    {"\\Skin\\Start\\Down.bmp", "fStart.Down", H::LoadSkin},
    {"\\Skin\\About-Box\\Background.bmp", "fAbout", H::WindowPicture},
    {"\\Skin\\Tips\\Background.bmp", "fTips", H::WindowPicture},
    {"\\Skin\\Tips\\NextTip.bmp", "fTips.NextTip", H::LoadSkin},
    {"\\Skin\\Tips\\PrevTip.bmp", "fTips.PrevTip", H::LoadSkin},
    {"\\Skin\\Tips\\About.bmp", "fTips.About", H::LoadSkin},
    {"\\Skin\\Close.bmp", "fTips.Closed", H::LoadSkin},
    {"\\Skin\\Tips\\Back.bmp", "fTips.Back", H::Picture},
    {"\\Skin\\Tips\\Help.bmp", "fTips.bHelp", H::LoadSkin},
    {nullptr, "fTips.LoadBackG", H::Call},
    {"\\Skin\\Tray\\Background.bmp", "fTray", H::WindowPicture},
    {"\\Skin\\Tray\\Insert.bmp", "fTray.Insert", H::LoadSkin},
    {"\\Skin\\Tray\\Show.bmp", "fTray.bShow", H::LoadSkin},
    {"\\Skin\\Tray\\Hide.bmp", "fTray.bHide", H::LoadSkin},
    {"\\Skin\\Tray\\Exit.bmp", "fTray.bExit", H::LoadSkin},
    {"\\Skin\\Tray\\Options.bmp", "fTray.Options", H::LoadSkin},
    {"\\Skin\\Insert\\Top.bmp", "fInsert.Topp", H::Picture},
    {"\\Skin\\Insert\\Mid.bmp", "fInsert.Midp", H::Picture},
    {"\\Skin\\Insert\\Low.bmp", "fInsert.Low", H::Picture},
    {"\\Skin\\Insert\\Not_Selected.bmp", "fInsert.NotSelPict", H::Reference},
    {"\\Skin\\Insert\\Selected.bmp", "fInsert.SelPict", H::Reference},
    {nullptr, "fInsert.Scroll1", H::ScrollSet},
    {"\\Skin\\Check.bmp", "fHide.CheckBox1", H::SetSkin},
    {"\\Skin\\Hide-Box\\Background.bmp", "fHide", H::WindowPicture},
    {"\\Skin\\OK.bmp", "fHide.bOK", H::LoadSkin},
    {"\\Skin\\Close.bmp", "fHide.bClose", H::LoadSkin},
    {"\\Skin\\Options\\DownBut.bmp", "fOptions.BackPict", H::Picture},
    {"\\Skin\\Options\\Background.bmp", "fOptions", H::WindowPicture},
    {"\\Skin\\Close.bmp", "fOptions.bClose", H::LoadSkin},
    {"\\Skin\\Options\\Buttons.bmp", "fOptions.imgButtons", H::Picture},
    {"\\Skin\\Options\\Tab.bmp", "fOptions.iTab", H::Picture},
    {"\\Skin\\Options\\Button_Down.bmp", "fOptions.bChoose", H::LoadSkin},
    {"\\Skin\\Cancel.bmp", "fOptions.bCancel", H::LoadSkin},
    {"\\Skin\\OK.bmp", "fOptions.bOK", H::LoadSkin},
    {"\\Skin\\Options\\Apply.bmp", "fOptions.bApply", H::LoadSkin},
    {"\\Skin\\Options\\SelInput.bmp", "fOptions.SelP", H::Reference},
    {"\\Skin\\Options\\Input.bmp", "fOptions.NotSelP", H::Reference},
    {"\\Skin\\Options\\Button.bmp", "fOptions.Image1", H::Picture},
    {"\\Skin\\Options\\cLine.bmp", "fOptions.cLine", H::Picture},
    {nullptr, "fOptions.Scroll", H::ScrollSet},
    {"\\Skin\\Options\\Option.bmp", "fOptions.OptionBox1", H::SetSkin},
    {"\\Skin\\Check.bmp", "fOptions.CheckBox1", H::SetSkin},
};

}  // namespace mdlSkin
