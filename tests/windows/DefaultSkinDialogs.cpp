#include "tests/windows/DefaultSkinDialogs.h"

#include "tests/windows/DefaultSkin.h"
#include "windows/Windows.h"

void ApplyDefaultSkinToDialogs() {
    auto& exit = fExit();
    exit.SetPicture(DefaultSkinPicture("\\Exit\\Background.bmp"));
    exit.OK.LoadSkin(DefaultSkinPicture("\\OK.bmp"));
    exit.bCancel.LoadSkin(DefaultSkinPicture("\\Cancel.bmp"));
    exit.CheckBox1.SetSkin(DefaultSkinPicture("\\Check.bmp"));

    auto& about = fAbout();
    about.SetPicture(DefaultSkinPicture("\\About-Box\\Background.bmp"));

    auto& tips = fTips();
    tips.SetPicture(DefaultSkinPicture("\\Tips\\Background.bmp"));
    tips.NextTip.LoadSkin(DefaultSkinPicture("\\Tips\\NextTip.bmp"));
    tips.PrevTip.LoadSkin(DefaultSkinPicture("\\Tips\\PrevTip.bmp"));
    tips.About.LoadSkin(DefaultSkinPicture("\\Tips\\About.bmp"));
    tips.Closed.LoadSkin(DefaultSkinPicture("\\Close.bmp"));
    tips.Back[0].SetPicture(DefaultSkinPicture("\\Tips\\Back.bmp"));
    tips.bHelp.LoadSkin(DefaultSkinPicture("\\Tips\\Help.bmp"));
    tips.LoadBackG();

    auto& hide = fHide();
    hide.CheckBox1.SetSkin(DefaultSkinPicture("\\Check.bmp"));
    hide.SetPicture(DefaultSkinPicture("\\Hide-Box\\Background.bmp"));
    hide.bOK.LoadSkin(DefaultSkinPicture("\\OK.bmp"));
    hide.bClose.LoadSkin(DefaultSkinPicture("\\Close.bmp"));
}
