#include "options/fOptionsSkin.h"

#include "options/fOptions.h"

namespace {
using mdlSkin::SizeProp;
using mdlSkin::SkinTargetTable;
using Dialog = std::function<fOptionsForm&()>;

// A push button placed by the size table: left, top, width (pixels of the dialog) and corner.
SkinTargetTable::Geometry ButtonGeometry(std::function<ucButton3&()> button) {
    return {[button](SizeProp p, double v) {
                ucButton3& b = button();
                switch (p) {
                case SizeProp::Left: b.SetLeft(v); break;
                case SizeProp::Top: b.SetTop(v); break;
                case SizeProp::Width: b.SetWidth(v); break;
                case SizeProp::CC: b.SetCC(static_cast<uint8_t>(v)); break;
                default: break;
                }
            },
            [button](SizeProp p) -> double {
                ucButton3& b = button();
                switch (p) {
                case SizeProp::Left: return b.Left();
                case SizeProp::Top: return b.Top();
                case SizeProp::Width: return b.Width();
                case SizeProp::CC: return b.CC();
                default: return 0;
                }
            }};
}

// A picture entry that reaches the dialog only when the skin hands the picture over.
void Picture(SkinTargetTable& t, const char* name, Dialog dialog, void (*apply)(fOptionsForm&, const forms::Picture&)) {
    t.AddPicture(name, [dialog, apply](const forms::Picture& p) { apply(dialog(), p); });
}
}  // namespace

void AddOptionsSkinTargets(SkinTargetTable& t, Dialog dialog) {
    Picture(t, "fOptions", dialog, [](fOptionsForm& f, const forms::Picture& p) { f.SetPicture(p); });
    Picture(t, "fOptions.BackPict", dialog, [](fOptionsForm& f, const forms::Picture& p) { f.BackPict.SetPicture(p); });
    Picture(t, "fOptions.imgButtons", dialog,
            [](fOptionsForm& f, const forms::Picture& p) { f.imgButtons.SetPicture(p); });
    Picture(t, "fOptions.iTab", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.iTab.SetPicture(p);
        f.iTab2.SetPicture(f.iTab.Picture());
    });
    Picture(t, "fOptions.SelP", dialog, [](fOptionsForm& f, const forms::Picture& p) { f.SetSelP(p); });
    Picture(t, "fOptions.NotSelP", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.SetNotSelP(p);
        f.Skin.SetPicture(f.NotSelP());
    });
    Picture(t, "fOptions.Image1", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.Image1.SetPicture(p);
        f.Image2.SetPicture(f.Image1.Picture());
        f.Image3.SetPicture(f.Image1.Picture());
    });
    Picture(t, "fOptions.cLine", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.cLine.SetPicture(p);
        f.cLine2.SetPicture(f.cLine.Picture());
        f.cLine3.SetPicture(f.cLine.Picture());
    });
    Picture(t, "fOptions.OptionBox1", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.OptionBox1.SetSkin(p);
        f.OptionBox2.SetSkin(f.OptionBox1.GetSkin());
        f.OptionBox3.SetSkin(f.OptionBox1.GetSkin());
    });
    Picture(t, "fOptions.CheckBox1", dialog, [](fOptionsForm& f, const forms::Picture& p) {
        f.CheckBox1.SetSkin(p);
        f.CheckBox2.SetSkin(f.CheckBox1.GetSkin());
        f.CheckBox3.SetSkin(f.CheckBox1.GetSkin());
    });
    const std::pair<const char*, ucButton3 fOptionsForm::*> buttons[] = {
        {"fOptions.bClose", &fOptionsForm::bClose}, {"fOptions.bChoose", &fOptionsForm::bChoose},
        {"fOptions.bCancel", &fOptionsForm::bCancel}, {"fOptions.bOK", &fOptionsForm::bOK},
        {"fOptions.bApply", &fOptionsForm::bApply}};
    for (auto [name, member] : buttons) {
        std::function<ucButton3&()> button = [dialog, member]() -> ucButton3& { return dialog().*member; };
        t.AddPicture(name, [button](const forms::Picture& p) { button().LoadSkin(p); });
        t.AddGeometry(name, ButtonGeometry(button));
    }
    t.AddScroll("fOptions.Scroll", [dialog](const mdlSkin::ScrollPictures& s) {
        dialog().Scroll.LoadPicture(s.pTop, s.pLow, s.pBG, s.pMidUp, s.pMidDown, s.pMid, s.pMidTop, s.pMidLow);
    });

    t.AddCaption("fOptions", [dialog](const std::wstring& c) { dialog().SetCaption(c); });
    const std::pair<const char*, forms::Label fOptionsForm::*> labels[] = {
        {"fOptions.lblSkin", &fOptionsForm::lblSkin},   {"fOptions.lblTr1", &fOptionsForm::lblTr1},
        {"fOptions.lblTr2", &fOptionsForm::lblTr2},     {"fOptions.lblSpeed", &fOptionsForm::lblSpeed},
        {"fOptions.Label1", &fOptionsForm::Label1}};
    for (auto [name, member] : labels)
        t.AddCaption(name, [dialog, member](const std::wstring& c) { (dialog().*member).SetCaption(c); });
    for (int i = 1; i <= 6; ++i)
        t.AddCaption("fOptions.Label3(" + std::to_string(i) + ")",
                     [dialog, i](const std::wstring& c) { dialog().Label3[i].SetCaption(c); });

    t.AddGeometry("fOptions", {[dialog](SizeProp p, double v) {
                                   if (p == SizeProp::Width) dialog().SetWidth(v);
                                   if (p == SizeProp::Height) dialog().SetHeight(v);
                               },
                               [dialog](SizeProp p) -> double {
                                   fOptionsForm& f = dialog();
                                   return p == SizeProp::Width ? f.Width() : p == SizeProp::Height ? f.Height() : 0;
                               }});
    t.AddGeometry("fOptions.lblMove", {[dialog](SizeProp p, double v) {
                                           if (p == SizeProp::Width) dialog().lblMove.SetWidth(v);
                                       },
                                       [dialog](SizeProp p) -> double {
                                           return p == SizeProp::Width ? dialog().lblMove.Width() : 0;
                                       }});
}
