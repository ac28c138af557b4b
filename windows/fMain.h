#pragma once
// fMain: the clip list under the start bar; the public face of the history's operations.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/ClipRecord.h"
#include "controls/Scroll.h"
#include "controls/ucButton3.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Picture.h"

class clsMFSC;

namespace Func {
// The key presses of the main window's buttons, handed on by its key hook.
void MainKeyDown(int32_t KeyCode);
void MainKeyUp(int32_t KeyCode);
}  // namespace Func

class fMainForm : public forms::Form {
public:
    fMainForm();
    ~fMainForm() override;

    static constexpr int kRowHeightTw = 1050;
    static constexpr int kVisibleRows = 5;
    static constexpr int kMinHeightTw = 1620;

    int32_t ClipsHe = 0;          // 1050 twips per clip in the history
    bool NotVisible = false;      // a clip arrived while five rows already showed
    forms::Picture Not_Sel_Picture;  // row background of an unselected clip (the skin's)
    forms::Picture Sel_Picture;      // row background of a selected clip
    int16_t TopElement = 0;       // index of the clip in the first row
    bool vkControl = false;       // Ctrl is held
    bool vkShift = false;         // Shift is held

    void RefreshViewedClips();
    void Save_All();
    void Save_Selected();
    void Delete_All();
    void Delete_Selected();
    // Makes the window NewHeight twips high (at least the empty height), lays out the background
    // and the scroll bar, and keeps a bottom-docked pair's bottom edge where it was.
    void Set_Height(int16_t NewHeight);
    // Adds Content as the newest clip (or rejects it); does not redraw and does not save.
    void AddClip(const ClipTextRef& Content, const ClipText& CopyDate = {}, const ClipText& CopyTime = {});
    // While one lives, added clips leave the window's height alone; it is set once at its end, to
    // what one call per clip would have left (a long history loads without a relayout per clip).
    class HeightDeferral {
    public:
        explicit HeightDeferral(fMainForm& f) : f_(f) { f_.heightDeferred_ = true; }
        ~HeightDeferral();
        HeightDeferral(const HeightDeferral&) = delete;
        HeightDeferral& operator=(const HeightDeferral&) = delete;

    private:
        fMainForm& f_;
    };
    void MouseWheel(int32_t& MouseKeys, int32_t& Rotation, int32_t& Xpos, int32_t& Ypos);
    ClipTextRef GetSelectedClipsText() const;

    // The keys that reach the buttons, handed on by the key hook.
    void KeyDown(int32_t KeyCode);
    void KeyUp(int32_t KeyCode);

    // Asks the user for the export file name; "" means cancelled. Replaceable for tests.
    std::function<std::string()> AskExportFileName;

    // Controls, in the twips of the window.
    forms::Image iTop{*this};
    forms::ControlArray<forms::Image> iMid{*this};
    forms::Image iLow{*this};
    forms::Label lblEmpty{*this};
    forms::Frame ClipsFrame{*this};
    forms::ControlArray<forms::Image> imgClipBack{ClipsFrame};
    forms::ControlArray<forms::Label> txt{ClipsFrame};
    controls::Scroll Scroll{*this};
    ucButton3 Options{*this};
    ucButton3 Paste{*this};
    ucButton3 Save{*this};
    ucButton3 Delete{*this};
    ucButton3 Tips{*this};

    // Row events (the label's forward to the picture's).
    void imgClipBack_Click(int Index);
    void imgClipBack_DblClick(int Index);
    void Scroll_Change(int16_t& Top, int16_t& Size);
    void Scroll_Pressed();
    void Options_Click();
    void Paste_Click();
    void Save_Click();
    void Delete_Click();
    void Tips_Click();

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_MouseDown(forms::MouseArgs& a) override;
    void Form_MouseMove(forms::MouseArgs& a) override;
    void Form_MouseUp(forms::MouseArgs& a) override;

private:
    void WireControls();
    void UseBuiltInLookWhereNoSkin();
    void Export(bool selectedOnly);
    void CopySelectionToClipboard();
    // Moves the view by `rows`, keeps it inside the history, moves the thumb and redraws.
    void ScrollBy(int rows);
    void ClampTopElement();
    void MoveThumbToView();
    int LastRowIndex() const { return imgClipBack.UBound(); }
    void AddRow(int index);
    void RemoveRowsFrom(int first);
    void ResetEmptyRows();
    void FocusWindow();
    // Opens the delete (1) or save (2) menu under its button, or closes it.
    void OpenMenu(const ucButton3& button, int32_t mode);
    static void Toggle(forms::Form& f);
    void FrameHeightChanged();

    bool heightDeferred_ = false, heightPending_ = false;
    std::unique_ptr<clsMFSC> hook_;
    int32_t clickShift_ = 0;  // the modifier keys held when a row was pressed
};
