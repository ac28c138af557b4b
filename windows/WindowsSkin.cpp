#include "windows/WindowsSkin.h"

#include <stdexcept>
#include <type_traits>

#include "controls/CheckBox.h"
#include "controls/Scroll.h"
#include "controls/ucButton3.h"
#include "forms/ControlArray.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "windows/Windows.h"

namespace {

using mdlSkin::ScrollPictures;
using mdlSkin::SizeProp;
using Table = mdlSkin::SkinTargetTable;

// A window: its size in twips; it refuses a negative one, as the size table counts that a failure.
template <class Get>
Table::Geometry FormGeometry(Get form) {
    return {[form](SizeProp p, double v) {
                if (v < 0) throw std::invalid_argument("negative window size");
                if (p == SizeProp::Width) form().SetWidth(v);
                if (p == SizeProp::Height) form().SetHeight(v);
            },
            [form](SizeProp p) { return p == SizeProp::Width ? form().Width() : form().Height(); }};
}

// A control: its place in its window's scale; a push button also takes its corner size.
template <class Get>
Table::Geometry ControlGeometry(Get control) {
    return {[control](SizeProp p, double v) {
                auto& c = control();
                switch (p) {
                    case SizeProp::Left: c.SetLeft(v); break;
                    case SizeProp::Top: c.SetTop(v); break;
                    case SizeProp::Width:
                        if (v < 0) throw std::invalid_argument("negative width");
                        c.SetWidth(v);
                        break;
                    case SizeProp::Height:
                        if (v < 0) throw std::invalid_argument("negative height");
                        c.SetHeight(v);
                        break;
                    case SizeProp::CC:
                        if constexpr (std::is_same_v<std::decay_t<decltype(c)>, ucButton3>)
                            c.SetCC(static_cast<uint8_t>(v));
                        break;
                    case SizeProp::He: break;
                }
            },
            [control](SizeProp p) {
                auto& c = control();
                return p == SizeProp::Left ? c.Left() : p == SizeProp::Top ? c.Top() : p == SizeProp::Width ? c.Width()
                                                                                                              : c.Height();
            }};
}

// Element 0 takes the picture and every further element shares it.
void ShareAlong(forms::ControlArray<forms::Image>& a, const forms::Picture& p) {
    a[0].SetPicture(p);
    for (int i = 1; i <= a.UBound(); ++i)
        if (a.Exists(i)) a[i].SetPicture(a[0].Picture());
}

void LoadScroll(controls::Scroll& s, const ScrollPictures& p) {
    s.LoadPicture(p.pTop, p.pLow, p.pBG, p.pMidUp, p.pMidDown, p.pMid, p.pMidTop, p.pMidLow);
}

// A push button by name: its strip from the bitmap table, its place and corner from the size table.
template <class Get>
void AddButton(Table& t, const std::string& name, Get button) {
    t.AddPicture(name, [button](const forms::Picture& p) { button().LoadSkin(p); });
    t.AddGeometry(name, ControlGeometry(button));
}

// A caption from the skin's caption table.
template <class Get>
void AddCaption(Table& t, const std::string& name, Get target) {
    t.AddCaption(name, [target](const std::wstring& text) { target().SetCaption(text); });
}

void AddMain(Table& t) {
    auto main = []() -> fMainForm& { return fMain(); };
    t.AddPicture("fMain.iTop", [](const forms::Picture& p) { fMain().iTop.SetPicture(p); });
    t.AddPicture("fMain.iMid", [](const forms::Picture& p) { ShareAlong(fMain().iMid, p); });
    t.AddPicture("fMain.iLow", [](const forms::Picture& p) { fMain().iLow.SetPicture(p); });
    // The rows on show take a new skin's pictures at once.
    t.AddPicture("fMain.Sel_Picture", [](const forms::Picture& p) {
        fMain().Sel_Picture = p;
        fMain().RefreshViewedClips();
    });
    t.AddPicture("fMain.Not_Sel_Picture", [](const forms::Picture& p) {
        fMain().Not_Sel_Picture = p;
        fMain().RefreshViewedClips();
    });
    AddButton(t, "fMain.Delete", []() -> ucButton3& { return fMain().Delete; });
    AddButton(t, "fMain.Save", []() -> ucButton3& { return fMain().Save; });
    AddButton(t, "fMain.Paste", []() -> ucButton3& { return fMain().Paste; });
    AddButton(t, "fMain.Options", []() -> ucButton3& { return fMain().Options; });
    AddButton(t, "fMain.Tips", []() -> ucButton3& { return fMain().Tips; });
    t.AddScroll("fMain.Scroll", [](const ScrollPictures& p) { LoadScroll(fMain().Scroll, p); });
    t.AddGeometry("fMain", FormGeometry(main));
    t.AddGeometry("fMain.Scroll", ControlGeometry([]() -> controls::Scroll& { return fMain().Scroll; }));
    AddCaption(t, "fMain.lblEmpty", []() -> forms::Label& { return fMain().lblEmpty; });
}

void AddPopUp(Table& t) {
    t.AddPicture("fPopUp.iBack", [](const forms::Picture& p) { fPopUp().iBack.SetPicture(p); });
    auto window = FormGeometry([]() -> fPopUpForm& { return fPopUp(); });
    t.AddGeometry("fPopUp", {[window](SizeProp p, double v) {
                                 if (p == SizeProp::He) fPopUp().he = static_cast<int16_t>(v);
                                 else window.set(p, v);
                             },
                             window.get});
}

// A check box by name: its strip and its place.
template <class Get>
void AddCheck(Table& t, const std::string& name, Get box) {
    t.AddPicture(name, [box](const forms::Picture& p) { box().SetSkin(p); });
    t.AddGeometry(name, ControlGeometry(box));
}

template <class Get>
void AddPlace(Table& t, const std::string& name, Get control) {
    t.AddGeometry(name, ControlGeometry(control));
}

void AddExit(Table& t) {
    t.AddPicture("fExit", [](const forms::Picture& p) { fExit().SetPicture(p); });
    t.AddGeometry("fExit", FormGeometry([]() -> fExitForm& { return fExit(); }));
    AddButton(t, "fExit.OK", []() -> ucButton3& { return fExit().OK; });
    AddButton(t, "fExit.bCancel", []() -> ucButton3& { return fExit().bCancel; });
    AddCheck(t, "fExit.CheckBox1", []() -> CheckBox& { return fExit().CheckBox1; });
    AddPlace(t, "fExit.Label1", []() -> forms::Label& { return fExit().Label1; });
    AddPlace(t, "fExit.lblMove", []() -> forms::Label& { return fExit().lblMove; });
    AddCaption(t, "fExit.Label1", []() -> forms::Label& { return fExit().Label1; });
    AddCaption(t, "fExit", []() -> fExitForm& { return fExit(); });
}

void AddHide(Table& t) {
    t.AddPicture("fHide", [](const forms::Picture& p) { fHide().SetPicture(p); });
    t.AddGeometry("fHide", FormGeometry([]() -> fHideForm& { return fHide(); }));
    AddButton(t, "fHide.bOK", []() -> ucButton3& { return fHide().bOK; });
    AddButton(t, "fHide.bClose", []() -> ucButton3& { return fHide().bClose; });
    AddCheck(t, "fHide.CheckBox1", []() -> CheckBox& { return fHide().CheckBox1; });
    AddPlace(t, "fHide.Label1", []() -> forms::Label& { return fHide().Label1; });
    AddPlace(t, "fHide.Label2", []() -> forms::Label& { return fHide().Label2; });
    AddPlace(t, "fHide.Label3", []() -> forms::Label& { return fHide().Label3; });
    AddCaption(t, "fHide.Label2", []() -> forms::Label& { return fHide().Label2; });
    AddCaption(t, "fHide.Label3", []() -> forms::Label& { return fHide().Label3; });
    AddCaption(t, "fHide", []() -> fHideForm& { return fHide(); });
}

void AddTips(Table& t) {
    t.AddPicture("fTips", [](const forms::Picture& p) { fTips().SetPicture(p); });
    AddButton(t, "fTips.NextTip", []() -> ucButton3& { return fTips().NextTip; });
    AddButton(t, "fTips.PrevTip", []() -> ucButton3& { return fTips().PrevTip; });
    AddButton(t, "fTips.About", []() -> ucButton3& { return fTips().About; });
    AddButton(t, "fTips.Closed", []() -> ucButton3& { return fTips().Closed; });
    AddButton(t, "fTips.bHelp", []() -> ucButton3& { return fTips().bHelp; });
    t.AddPicture("fTips.Back", [](const forms::Picture& p) { fTips().Back[0].SetPicture(p); });
    t.AddCall("fTips.LoadBackG", [] { fTips().LoadBackG(); });
}

void AddAbout(Table& t) {
    t.AddPicture("fAbout", [](const forms::Picture& p) { fAbout().SetPicture(p); });
}

void AddStart(Table& t) {
    t.AddPicture("fStart", [](const forms::Picture& p) { fStart().SetPicture(p); });
    t.AddGeometry("fStart", FormGeometry([]() -> fStartForm& { return fStart(); }));
    AddButton(t, "fStart.bClose", []() -> ucButton3& { return fStart().bClose; });
    AddButton(t, "fStart.Down", []() -> ucButton3& { return fStart().Down; });
}

void AddTray(Table& t) {
    t.AddPicture("fTray", [](const forms::Picture& p) { fTray().SetPicture(p); });
    t.AddGeometry("fTray", FormGeometry([]() -> fTrayForm& { return fTray(); }));
    AddButton(t, "fTray.Insert", []() -> ucButton3& { return fTray().Insert; });
    AddButton(t, "fTray.bShow", []() -> ucButton3& { return fTray().bShow; });
    AddButton(t, "fTray.bHide", []() -> ucButton3& { return fTray().bHide; });
    AddButton(t, "fTray.bExit", []() -> ucButton3& { return fTray().bExit; });
    AddButton(t, "fTray.Options", []() -> ucButton3& { return fTray().Options; });
}

void AddInsert(Table& t) {
    t.AddPicture("fInsert.Topp", [](const forms::Picture& p) { fInsert().Topp.SetPicture(p); });
    t.AddPicture("fInsert.Midp", [](const forms::Picture& p) { ShareAlong(fInsert().Midp, p); });
    t.AddPicture("fInsert.Low", [](const forms::Picture& p) { fInsert().Low.SetPicture(p); });
    t.AddPicture("fInsert.NotSelPict", [](const forms::Picture& p) { fInsert().NotSelPict = p; });
    t.AddPicture("fInsert.SelPict", [](const forms::Picture& p) { fInsert().SelPict = p; });
    t.AddScroll("fInsert.Scroll1", [](const ScrollPictures& p) { LoadScroll(fInsert().Scroll1, p); });
}

}  // namespace

void AddWindowsSkinTargets(Table& t) {
    AddExit(t);
    AddMain(t);
    AddPopUp(t);
    AddStart(t);
    AddTray(t);
    AddInsert(t);
    AddHide(t);
    AddTips(t);
    AddAbout(t);
}
