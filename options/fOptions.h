#pragma once
// fOptions: the options dialog: page 1 holds the skin picker with its drop-down list and the
// three sliders, page 2 the check boxes and radio buttons; Apply puts the values into the
// settings, applies them to the running program and saves them.
#include <cstdint>
#include <string>

#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "controls/Scroll.h"
#include "controls/ucButton3.h"
#include "forms/ControlArray.h"
#include "forms/FileListBox.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/Picture.h"
#include "forms/PictureBox.h"
#include "forms/Timer.h"

class fOptionsForm : public forms::Form {
public:
    fOptionsForm();

    // The background of a highlighted and of a normal row of the skin list (set by the skin).
    const forms::Picture& SelP() const { return selP_; }
    void SetSelP(forms::Picture p) { selP_ = std::move(p); }
    const forms::Picture& NotSelP() const { return notSelP_; }
    void SetNotSelP(forms::Picture p) { notSelP_ = std::move(p); }
    // The window's background picture (set by the skin).
    const forms::Picture& Picture() const { return picture_; }
    void SetPicture(forms::Picture p);

    // Puts the dialog's values into the settings, applies them to every window and saves them.
    void Apply();
    // Takes the hover look off the six boxes when the box under the pointer changed.
    void Desel();
    // Reads the skins folder afresh into the rows of the skin list.
    void FillSkinList();
    // Whether a point (pixels within a thumb) lies on the thumb's rounded face.
    static bool IsOverThumb(double X, double Y);

    // A picture box inside a picture box is built on its container, not copied from it.
    static forms::ControlHost& In(forms::PictureBox& box) { return box; }

    // --- Controls. Child windows made first lie in front of those made later. ---
    forms::Frame frSkin{*this};
    forms::ControlArray<forms::Image> img{frSkin};
    forms::ControlArray<forms::Label> text{frSkin};
    controls::Scroll Scroll{*this};
    forms::Label lblMove{*this};
    ucButton3 bClose{*this};
    forms::Frame Buttons{*this};
    forms::Image imgButtons{Buttons};  // windowless: the later ones lie in front
    forms::Label bGraph{Buttons};
    forms::Label bSettings{Buttons};
    forms::Frame Tab1{*this};
    forms::PictureBox iTab{Tab1};
    forms::Frame Tab2{*this};
    forms::PictureBox iTab2{Tab2};
    ucButton3 bOK{*this};
    ucButton3 bCancel{*this};
    ucButton3 bApply{*this};
    forms::Timer Timer1{*this, 25, false};
    forms::Timer Timer2{*this, 1, false};
    forms::FileListBox file;

    // Page 1.
    ucButton3 bChoose{iTab};
    forms::PictureBox BackPict{In(iTab)};
    forms::PictureBox Skin{In(iTab)};
    forms::Label lSkinName{Skin};
    forms::Frame actTrP{iTab};
    forms::Frame TrP{iTab};
    forms::Frame SpeedP{iTab};
    forms::Image Image1{actTrP};
    forms::Image Image2{TrP};
    forms::Image Image3{SpeedP};
    forms::PictureBox cLine{In(iTab)};
    forms::PictureBox cLine2{In(iTab)};
    forms::PictureBox cLine3{In(iTab)};
    forms::Line Line1{cLine3};
    forms::Label lblSkin{iTab};
    forms::Label lblTr1{iTab};
    forms::Label lblTr2{iTab};
    forms::Label lblSpeed{iTab};
    forms::Label ActTr{iTab};
    forms::Label Tr{iTab};
    forms::Label Speed{iTab};

    // Page 2.
    CheckBox CheckBox3{iTab2};
    CheckBox CheckBox1{iTab2};
    CheckBox CheckBox2{iTab2};
    OptionBox OptionBox1{iTab2};
    OptionBox OptionBox2{iTab2};
    OptionBox OptionBox3{iTab2};
    forms::Label Label1{iTab2};
    forms::ControlArray<forms::Label> Label3{iTab2};

    // Handlers.
    void bOK_Click();
    void bApply_Click();
    void bCancel_Click();
    void bClose_Click();
    void bGraph_Click();
    void bSettings_Click();
    void lblMove_MouseDown();
    void Label1_Click();
    void Label3_Click(int Index);
    void Label3_MouseDown(int Index);
    void Label3_MouseMove(int Index);
    void Label3_MouseUp(int Index);
    void iTab2_MouseMove();
    void BoxClick();

    // Sliders: n is 1 (active transparency), 2 (inactive transparency) or 3 (appearing speed).
    void Sprite_MouseMove(int n);
    void Thumb_MouseDown(int n, const forms::MouseArgs& a);
    void Thumb_MouseMove(int n, const forms::MouseArgs& a);
    void Thumb_MouseUp(int n, const forms::MouseArgs& a);
    void Track_MouseDown(int n);
    void Timer1_Timer();

    // Skin list.
    void bChoose_Click();
    void frSkin_MouseDown(const forms::MouseArgs& a);
    void frSkin_MouseMove();
    void Row_MouseMove();
    void Row_Click(int Index);
    void Scroll_Change(int16_t& Top, int16_t& Size);
    void Timer2_Timer();

    // Dialog state.
    int16_t DragGrabX = 0;  // twips
    uint8_t DragSlider = 0;
    bool ThumbHeld = false;
    int16_t ListHeight = 0;
    int16_t HotRow = 0;
    int16_t Hot = 0;
    int16_t NewHot = 0;
    bool SkipChoose = false;
    bool AutoRunShown = false;  // what CheckBox1 showed at Load or the last Apply

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;

private:
    struct Slider {
        forms::Frame& thumb;
        forms::Image& sprite;
        forms::PictureBox& track;
        forms::Label& value;
        int thumbTopPx;
    };
    Slider SliderOf(int n);
    // A sprite's mouse position as the thumb frame sees it.
    forms::MouseArgs OnThumb(int n, forms::MouseArgs a);
    void Design();
    void WireEvents();
    void ShowPage(int page);
    void PlaceThumb(int n);
    void ShapeSliders();
    // The box a settings-page label stands for (3 is Label1, 1..6 the Label3 index), or null.
    CheckBox* CheckBoxOf(int label);
    OptionBox* OptionBoxOf(int label);
    void LabelMouse(int label, forms::MouseArgs* down, bool up, bool move);
    // The pointer in the dialog's pixels, halves to even.
    POINT PointerPx() const;
    // Whether the pointer lies on the skin list's scroll bar.
    bool PointerOnScroll() const;
    void CloseSkinList();
    // Settings hold names in the ANSI code page; the dialog's labels hold wide text.
    static std::wstring Wide(const std::string& ansi);
    static std::string Ansi(const std::wstring& wide);
    void LayRows(double firstTopPx);

    forms::Picture selP_, notSelP_, picture_;
};
