#pragma once
// fInsert: the quick-insert window beside the tray menu: the newest clips, five rows at a time;
// a click on a row pastes its clip into the program that was in front before ours.
#include <cstdint>

#include "controls/Scroll.h"
#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "forms/Frame.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Picture.h"
#include "forms/Timer.h"

class fInsertForm : public forms::Form {
public:
    fInsertForm();

    // Row backgrounds: the row under the mouse and every other row. The skin sets both.
    forms::Picture SelPict;
    forms::Picture NotSelPict;

    // Lays the background and the scroll bar out for that window height (twips) and takes it.
    void SetHeight(int32_t newHeightTw);
    // Writes the clip texts into the rows, from the first clip shown on.
    void RefreshViewClips();
    // Rows and height for the current clip count, then the texts.
    void Refresh_Clips();
    // The history changed: an open window shows it at once, so that a row never shows one clip
    // while a click on it would paste another.
    void HistoryChanged();

    // The background. The bottom tile lies behind the others and shows wherever they leave room:
    // in a short window the top tile covers only its upper 7/12, the middle tiles begin lower.
    forms::Image Low{*this};
    forms::Image Topp{*this};
    forms::ControlArray<forms::Image> Midp{*this};
    // The list area; its rows: a background and the clip's text above it.
    forms::Frame Frame{*this};
    forms::ControlArray<forms::Image> BackPict{Frame};
    forms::ControlArray<forms::Label> txt{Frame};
    controls::Scroll Scroll1{*this};
    forms::Timer Timer1{*this, 25, true};

    void BackPict_Click(int index);
    void BackPict_MouseMove(int index);
    void Scroll1_Change(int16_t top, int16_t size);
    void Timer1_Timer();

    int32_t FirstClip() const { return firstClip_; }

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;

private:
    void ShowPicture(int row, const forms::Picture& p);

    int hoverRow_ = 0;     // the row last given SelPict
    int32_t firstClip_ = 0;  // the clip shown in row 0
};
