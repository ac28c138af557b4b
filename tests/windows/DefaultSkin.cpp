#include "tests/windows/DefaultSkin.h"

#include "windows/Windows.h"

forms::Picture DefaultSkinPicture(const std::string& relative) {
    return forms::Picture::Load(std::string(QM_DEFAULT_SKIN_DIR) + relative);
}

void ApplyDefaultSkinToStartTrayInsert() {
    auto& start = fStart();
    start.SetPicture(DefaultSkinPicture("\\Start\\Background.bmp"));

    auto& insert = fInsert();
    insert.Topp.SetPicture(DefaultSkinPicture("\\Insert\\Top.bmp"));
    insert.Midp[0].SetPicture(DefaultSkinPicture("\\Insert\\Mid.bmp"));
    for (int i = 1; i <= insert.Midp.UBound(); ++i)
        if (insert.Midp.Exists(i)) insert.Midp[i].SetPicture(insert.Midp[0].Picture());
    insert.Low.SetPicture(DefaultSkinPicture("\\Insert\\Low.bmp"));
    insert.NotSelPict = DefaultSkinPicture("\\Insert\\Not_Selected.bmp");
    insert.SelPict = DefaultSkinPicture("\\Insert\\Selected.bmp");
    auto bar = [](const char* name) { return DefaultSkinPicture(std::string("\\Scrolls\\") + name + ".bmp"); };
    insert.Scroll1.LoadPicture(bar("Button_Up"), bar("Button_Down"), bar("BG"), bar("Scroll_Top"),
                               bar("Scroll_Low"), bar("Scroll_Mid"), bar("Scroll_UpMid"), bar("Scroll_DownMid"));
}
