// Scenes of the skinned controls: one test form with each control in each of its looks, drawn
// from pictures generated here (the look of a plain blue skin).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "controls/Scroll.h"
#include "controls/ucButton3.h"
#include "forms/Form.h"
#include "forms/GdiObj.h"
#include "forms/Label.h"
#include "forms/MemDC.h"
#include "forms/SelectGuard.h"
#include "support/cTextBoxBackground.h"
#include "tools/screens/SceneList.h"

namespace {

// Colours of the four looks: normal, hover, pressed, disabled.
const COLORREF kFace[4] = {RGB(64, 98, 150), RGB(88, 132, 200), RGB(36, 60, 102), RGB(92, 96, 108)};
const COLORREF kInk[4] = {RGB(232, 238, 248), RGB(255, 255, 255), RGB(200, 214, 236), RGB(150, 154, 162)};
const COLORREF kFormBack = RGB(40, 60, 90);

forms::Picture Canvas(int w, int h, const std::function<void(HDC)>& paint) {
    HDC screen = GetDC(nullptr);
    forms::GdiObj<HBITMAP> bmp(CreateCompatibleBitmap(screen, w, h));
    {
        forms::MemDC dc(screen);
        forms::SelectGuard sel(dc.Get(), bmp.Get());
        paint(dc.Get());
    }
    ReleaseDC(nullptr, screen);
    return forms::Picture::FromBitmap(std::move(bmp));
}

void Fill(HDC dc, RECT r, COLORREF c) {
    forms::GdiObj<HBRUSH> b(CreateSolidBrush(c));
    FillRect(dc, &r, b.Get());
}

// A strip of four frames, frame s starting at row tops[s], each `h` rows high.
forms::Picture Frames(int h, const int (&tops)[4], const std::function<void(HDC, int s, int top)>& extra = {}) {
    return Canvas(25, tops[3] + h, [&](HDC dc) {
        for (int s = 0; s < 4; ++s) {
            Fill(dc, {0, tops[s], 25, tops[s] + h}, kFace[s]);
            if (extra) extra(dc, s, tops[s]);
        }
    });
}

forms::Picture Arrow(bool up) {
    const int tops[4] = {0, 24, 48, 72};
    return Frames(24, tops, [up](HDC dc, int s, int top) {
        Fill(dc, {0, top, 25, top + 1}, kInk[s]);  // a highlight along the top edge
        forms::GdiObj<HBRUSH> ink(CreateSolidBrush(kInk[s]));
        forms::GdiObj<HPEN> pen(CreatePen(PS_SOLID, 1, kInk[s]));
        forms::SelectGuard b(dc, ink.Get()), p(dc, pen.Get());
        const int tip = up ? top + 8 : top + 15, base = up ? top + 15 : top + 8;
        POINT tri[3] = {{12, tip}, {7, base}, {17, base}};
        Polygon(dc, tri, 3);
    });
}

// A push button strip: normal, focused, hover, pressed, disabled, each 24 px with its caption.
forms::Picture ButtonStrip(const wchar_t* caption) {
    const COLORREF face[5] = {kFace[0], kFace[0], kFace[1], kFace[2], kFace[3]};
    const COLORREF ink[5] = {kInk[0], kInk[0], kInk[1], kInk[2], kInk[3]};
    return Canvas(75, 120, [&](HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        for (int f = 0; f < 5; ++f) {
            const int top = 24 * f;
            Fill(dc, {0, top, 75, top + 24}, face[f]);
            Fill(dc, {0, top, 75, top + 1}, ink[f]);
            if (f == 1) {  // the focus frame: a light inner outline
                forms::GdiObj<HPEN> pen(CreatePen(PS_DOT, 1, kInk[0]));
                forms::SelectGuard p(dc, pen.Get()), b(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, 3, top + 3, 72, top + 21);
            }
            SetTextColor(dc, ink[f]);
            RECT r{0, top, 75, top + 24};
            DrawTextW(dc, caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    });
}

// A toggle strip of six cells (off, off hover, on, on hover, off pressed, on pressed).
forms::Picture ToggleStrip(int cell, bool round) {
    const int face[6] = {0, 1, 0, 1, 2, 2};
    const COLORREF paper[3] = {RGB(226, 232, 242), RGB(246, 250, 255), RGB(176, 190, 214)};
    return Canvas(cell, 6 * cell, [&](HDC dc) {
        Fill(dc, {0, 0, cell, 6 * cell}, kFormBack);
        for (int c = 0; c < 6; ++c) {
            const int top = c * cell;
            forms::GdiObj<HBRUSH> fill(CreateSolidBrush(paper[face[c]]));
            forms::GdiObj<HPEN> rim(CreatePen(PS_SOLID, 1, kFace[face[c]]));
            forms::SelectGuard b(dc, fill.Get()), p(dc, rim.Get());
            if (round)
                Ellipse(dc, 0, top, cell - 1, top + cell - 1);
            else
                Rectangle(dc, 0, top, cell, top + cell);
            if (c != 2 && c != 3 && c != 5) continue;  // the "on" cells carry the mark
            forms::GdiObj<HBRUSH> mark(CreateSolidBrush(kFace[face[c]]));
            forms::GdiObj<HPEN> markPen(CreatePen(PS_SOLID, 2, kFace[face[c]]));
            forms::SelectGuard mb(dc, mark.Get()), mp(dc, round ? GetStockObject(NULL_PEN) : markPen.Get());
            if (round) {
                Ellipse(dc, 4, top + 4, cell - 4, top + cell - 4);
            } else {
                POINT tick[3] = {{3, top + 7}, {6, top + 10}, {11, top + 3}};
                Polyline(dc, tick, 3);
            }
        }
    });
}

struct ScrollSkin {
    forms::Picture top = Arrow(true), low = Arrow(false);
    forms::Picture bg = Canvas(25, 110, [](HDC dc) {
        Fill(dc, {0, 0, 25, 110}, RGB(28, 42, 64));
        Fill(dc, {12, 0, 13, 110}, RGB(22, 34, 52));
    });
    forms::Picture midUp = Frames(6, {0, 8, 16, 25});
    forms::Picture midDown = Frames(6, {1, 9, 17, 26});
    forms::Picture mid = Frames(39, {0, 41, 82, 123}, [](HDC dc, int s, int top) {
        for (int y : {15, 19, 23}) Fill(dc, {8, top + y, 17, top + y + 2}, kInk[s]);
    });
    forms::Picture midTop = Frames(20, {1, 21, 41, 61});
    forms::Picture midLow = Frames(20, {1, 21, 41, 61});

    void On(controls::Scroll& bar) const { bar.LoadPicture(top, low, bg, midUp, midDown, mid, midTop, midLow); }
};

// A borderless form in pixels, the canvas of the controls scene; it owns what is put on it.
class ControlsForm : public forms::Form {
public:
    ControlsForm() {
        SetScaleMode(forms::ScaleMode::Pixels);
        SetBackColor(kFormBack);
        Text(L"Skinned controls in each look", 12, 8, 400);
    }
    template <class T, class... A>
    T& Make(A&&... args) {
        auto p = std::make_shared<T>(std::forward<A>(args)...);
        T& ref = *p;
        owned_.push_back(std::move(p));
        return ref;
    }
    forms::Label& Text(const std::wstring& text, int x, int y, int w) {
        auto& l = Make<forms::Label>(*this);
        l.Move(x, y, w, 16);
        l.SetTransparent(true);
        l.SetForeColor(RGB(228, 234, 244));
        l.SetCaption(text);
        return l;
    }

protected:
    forms::WndCreate CreateOptions() override {
        auto o = Form::CreateOptions();
        o.xPx = 40, o.yPx = 40, o.widthPx = 700, o.heightPx = 420;
        return o;
    }

private:
    std::vector<std::shared_ptr<void>> owned_;
};

void Move(HWND h, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(h, msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

// Five scroll bars: normal, up button hovered, thumb hovered, down button held, disabled.
void AddScrollBars(ControlsForm& form) {
    static const ScrollSkin skin;
    const wchar_t* captions[] = {L"normal", L"hover", L"thumb hover", L"pressed", L"disabled"};
    std::vector<controls::Scroll*> bars;
    for (int i = 0; i < 5; ++i) {
        const int x = 30 + 90 * i;
        auto& bar = form.Make<controls::Scroll>(form);
        bar.Move(x, 36, 25, 200);
        skin.On(bar);
        bar.SetMax_Value(4);
        bar.SetScrollTop(static_cast<int16_t>(30 * i));
        form.Text(captions[i], x - 20, 244, 80).SetAlignment(forms::Label::Align::Center);
        bars.push_back(&bar);
    }
    // Hovers first: the held button last keeps the mouse capture, as a real press does.
    Move(bars[1]->hWnd(), WM_MOUSEMOVE, 12, 10);
    Move(bars[2]->hWnd(), WM_MOUSEMOVE, 12, bars[2]->ScrollTop() + 24 + 20);
    bars[4]->SetEnabled(false);
    Move(bars[3]->hWnd(), WM_LBUTTONDOWN, 12, 190, MK_LBUTTON);
}

// Push buttons: normal, focused, hover, pressed (Space held), disabled.
void AddButtons(ControlsForm& form) {
    static const forms::Picture strip = ButtonStrip(L"OK");
    const wchar_t* captions[] = {L"normal", L"focused", L"hover", L"pressed", L"disabled"};
    std::vector<ucButton3*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto& b = form.Make<ucButton3>(form);
        b.Move(20 + 105 * i, 280, 75, 24);
        b.LoadSkin(strip);
        form.Text(captions[i], 20 + 105 * i, 308, 75).SetAlignment(forms::Label::Align::Center);
        buttons.push_back(&b);
    }
    buttons[1]->SetFocus();
    buttons[4]->SetEnabled(false);
    SendMessageW(buttons[3]->hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    // Last: the hover look holds the mouse capture, which a later hover would take away.
    Move(buttons[2]->hWnd(), WM_MOUSEMOVE, 30, 10);
}

// Radio buttons and check boxes in their six looks.
void AddToggles(ControlsForm& form) {
    static const forms::Picture radio = ToggleStrip(OptionBox::CellPx, true), check = ToggleStrip(CheckBox::CellPx, false);
    const wchar_t* captions[] = {L"off", L"off hover", L"on", L"on hover", L"off pressed", L"on pressed"};
    for (int i = 0; i < 6; ++i) {
        const int x = 20 + 88 * i;
        auto& o = form.Make<OptionBox>(form);
        o.Move(x + 30, 340, 0, 0);
        o.SetSkin(radio);
        auto& c = form.Make<CheckBox>(form);
        c.Move(x + 31, 364, 0, 0);
        c.SetSkin(check);
        const bool on = i == 2 || i == 3 || i == 5;
        o.SetValue(on);
        c.SetValue(on);
        if (i == 1 || i == 3) o.Moved(), c.Moved();
        if (i >= 4) o.Down(), c.Down();
        form.Text(captions[i], x, 386, 76).SetAlignment(forms::Label::Align::Center);
    }
}

// A multi-line edit with the tiled backdrop behind its text.
void AddBackdrop(ControlsForm& form) {
    static const forms::Picture paper = Canvas(16, 16, [](HDC dc) {
        Fill(dc, {0, 0, 16, 16}, RGB(236, 232, 218));
        for (int i = 0; i < 16; ++i) SetPixel(dc, i, (i + 5) % 16, RGB(222, 216, 196));
    });
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                470, 36, 210, 200, form.hWnd(), nullptr, nullptr, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetWindowTextW(edit, L"Typed text sits on the tiled backdrop.\r\n\r\nThe tiles stay in place while the "
                         L"text scrolls, and pasting can be blocked.");
    auto& back = form.Make<cTextBoxBackground>();
    back.SetBackdrop(paper);
    back.Attach(edit);
    form.Text(L"text box backdrop", 470, 244, 210).SetAlignment(forms::Label::Align::Center);
}

std::shared_ptr<void> ShowControls() {
    auto form = std::make_shared<ControlsForm>();
    form->Load();
    AddScrollBars(*form);
    AddToggles(*form);
    AddBackdrop(*form);
    form->Show();
    AddButtons(*form);
    return form;
}

}  // namespace

void AddScenesControls(SceneList& list) {
    list.Add("controls", "a test form with every skinned control in each look", ShowControls);
}
