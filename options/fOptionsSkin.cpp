#include "options/fOptionsSkin.h"

#include "options/fOptions.h"

namespace {
using mdlSkin::SizeProp;
using mdlSkin::SkinTargetTable;

// A push button placed by the size table: left, top, width (pixels of the dialog) and corner.
SkinTargetTable::Geometry ButtonGeometry(ucButton3& b) {
    return {[&b](SizeProp p, double v) {
                switch (p) {
                case SizeProp::Left: b.SetLeft(v); break;
                case SizeProp::Top: b.SetTop(v); break;
                case SizeProp::Width: b.SetWidth(v); break;
                case SizeProp::CC: b.SetCC(static_cast<uint8_t>(v)); break;
                default: break;
                }
            },
            [&b](SizeProp p) -> double {
                switch (p) {
                case SizeProp::Left: return b.Left();
                case SizeProp::Top: return b.Top();
                case SizeProp::Width: return b.Width();
                case SizeProp::CC: return b.CC();
                default: return 0;
                }
            }};
}
}  // namespace

void AddOptionsSkinTargets(SkinTargetTable& t, fOptionsForm& f) {
    t.AddPicture("fOptions", [&f](const forms::Picture& p) { f.SetPicture(p); });
    t.AddPicture("fOptions.BackPict", [&f](const forms::Picture& p) { f.BackPict.SetPicture(p); });
    t.AddPicture("fOptions.imgButtons", [&f](const forms::Picture& p) { f.imgButtons.SetPicture(p); });
    t.AddPicture("fOptions.iTab", [&f](const forms::Picture& p) {
        f.iTab.SetPicture(p);
        f.iTab2.SetPicture(f.iTab.Picture());
    });
    t.AddPicture("fOptions.SelP", [&f](const forms::Picture& p) { f.SetSelP(p); });
    t.AddPicture("fOptions.NotSelP", [&f](const forms::Picture& p) {
        f.SetNotSelP(p);
        f.Skin.SetPicture(f.NotSelP());
    });
    t.AddPicture("fOptions.Image1", [&f](const forms::Picture& p) {
        f.Image1.SetPicture(p);
        f.Image2.SetPicture(f.Image1.Picture());
        f.Image3.SetPicture(f.Image1.Picture());
    });
    t.AddPicture("fOptions.cLine", [&f](const forms::Picture& p) {
        f.cLine.SetPicture(p);
        f.cLine2.SetPicture(f.cLine.Picture());
        f.cLine3.SetPicture(f.cLine.Picture());
    });
    t.AddPicture("fOptions.OptionBox1", [&f](const forms::Picture& p) {
        f.OptionBox1.SetSkin(p);
        f.OptionBox2.SetSkin(f.OptionBox1.GetSkin());
        f.OptionBox3.SetSkin(f.OptionBox1.GetSkin());
    });
    t.AddPicture("fOptions.CheckBox1", [&f](const forms::Picture& p) {
        f.CheckBox1.SetSkin(p);
        f.CheckBox2.SetSkin(f.CheckBox1.GetSkin());
        f.CheckBox3.SetSkin(f.CheckBox1.GetSkin());
    });
    const std::pair<const char*, ucButton3*> buttons[] = {
        {"fOptions.bClose", &f.bClose}, {"fOptions.bChoose", &f.bChoose}, {"fOptions.bCancel", &f.bCancel},
        {"fOptions.bOK", &f.bOK},       {"fOptions.bApply", &f.bApply}};
    for (auto [name, b] : buttons) {
        t.AddPicture(name, [b](const forms::Picture& p) { b->LoadSkin(p); });
        t.AddGeometry(name, ButtonGeometry(*b));
    }
    t.AddScroll("fOptions.Scroll", [&f](const mdlSkin::ScrollPictures& s) {
        f.Scroll.LoadPicture(s.pTop, s.pLow, s.pBG, s.pMidUp, s.pMidDown, s.pMid, s.pMidTop, s.pMidLow);
    });

    t.AddCaption("fOptions", [&f](const std::wstring& c) { f.SetCaption(c); });
    const std::pair<const char*, forms::Label*> labels[] = {
        {"fOptions.lblSkin", &f.lblSkin},   {"fOptions.lblTr1", &f.lblTr1},
        {"fOptions.lblTr2", &f.lblTr2},     {"fOptions.lblSpeed", &f.lblSpeed},
        {"fOptions.Label1", &f.Label1},     {"fOptions.Label3(1)", &f.Label3[1]},
        {"fOptions.Label3(2)", &f.Label3[2]}, {"fOptions.Label3(3)", &f.Label3[3]},
        {"fOptions.Label3(4)", &f.Label3[4]}, {"fOptions.Label3(5)", &f.Label3[5]},
        {"fOptions.Label3(6)", &f.Label3[6]}};
    for (auto [name, l] : labels) t.AddCaption(name, [l](const std::wstring& c) { l->SetCaption(c); });

    t.AddGeometry("fOptions", {[&f](SizeProp p, double v) {
                                   if (p == SizeProp::Width) f.SetWidth(v);
                                   if (p == SizeProp::Height) f.SetHeight(v);
                               },
                               [&f](SizeProp p) -> double {
                                   return p == SizeProp::Width ? f.Width() : p == SizeProp::Height ? f.Height() : 0;
                               }});
    t.AddGeometry("fOptions.lblMove", {[&f](SizeProp p, double v) {
                                           if (p == SizeProp::Width) f.lblMove.SetWidth(v);
                                       },
                                       [&f](SizeProp p) -> double { return p == SizeProp::Width ? f.lblMove.Width() : 0; }});
}
