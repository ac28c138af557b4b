#include "tests/windows/DefaultSkin.h"

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "app/mGlobal.h"
#include "windows/Windows.h"

namespace {
// The lines of "Sizes.dat" as key -> values; only simple well-formed lines are needed here.
std::map<std::string, std::vector<double>> Sizes() {
    std::map<std::string, std::vector<double>> sizes;
    std::ifstream in(std::string(QM_DEFAULT_SKIN_DIR) + "/Sizes.dat");
    for (std::string line; std::getline(in, line);) {
        const auto open = line.find('['), close = line.find(']');
        if (line.rfind("//", 0) == 0 || open == std::string::npos || close < open) continue;
        std::istringstream values(line.substr(open + 1, close - open - 1));
        auto& v = sizes[line.substr(0, open)];
        for (std::string item; std::getline(values, item, ',');) v.push_back(std::stod(item));
    }
    return sizes;
}

// Buttons of windows placed in twips get their values scaled; the others take pixels.
void Place(ucButton3& b, const std::vector<double>& v, double scale) {
    b.Move(v.at(0) * scale, v.at(1) * scale, v.at(2) * scale, b.Height());
    b.SetCC(static_cast<uint8_t>(v.at(3)));
}
}  // namespace

forms::Picture DefaultSkinPicture(const std::string& relative) {
    return forms::Picture::Load(std::string(QM_DEFAULT_SKIN_DIR) + relative);
}

void ApplyDefaultSkinToStartTrayInsert() {
    auto sizes = Sizes();
    const double tx = mGlobal::TwipsX, ty = mGlobal::TwipsY;
    auto& start = fStart();
    start.Move(start.Left(), start.Top(), sizes["Start_Form"].at(0) * tx, sizes["Start_Form"].at(1) * ty);
    Place(start.Down, sizes["Start_Down"], 1);
    Place(start.bClose, sizes["Start_Close"], 1);
    start.SetPicture(DefaultSkinPicture("\\Start\\Background.bmp"));
    start.bClose.LoadSkin(DefaultSkinPicture("\\Close.bmp"));
    start.Down.LoadSkin(DefaultSkinPicture("\\Start\\Down.bmp"));

    auto& tray = fTray();
    tray.Move(tray.Left(), tray.Top(), sizes["Tray_Form"].at(0) * tx, sizes["Tray_Form"].at(1) * ty);
    Place(tray.Insert, sizes["Tray_Insert"], tx);
    Place(tray.Options, sizes["Tray_Options"], tx);
    Place(tray.bHide, sizes["Tray_ShowHide"], tx);
    Place(tray.bShow, sizes["Tray_ShowHide"], tx);
    Place(tray.bExit, sizes["Tray_Exit"], tx);
    tray.SetPicture(DefaultSkinPicture("\\Tray\\Background.bmp"));
    tray.Insert.LoadSkin(DefaultSkinPicture("\\Tray\\Insert.bmp"));
    tray.bShow.LoadSkin(DefaultSkinPicture("\\Tray\\Show.bmp"));
    tray.bHide.LoadSkin(DefaultSkinPicture("\\Tray\\Hide.bmp"));
    tray.bExit.LoadSkin(DefaultSkinPicture("\\Tray\\Exit.bmp"));
    tray.Options.LoadSkin(DefaultSkinPicture("\\Tray\\Options.bmp"));

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
