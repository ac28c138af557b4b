#pragma once
// fMain: the clip list under the start bar; the public face of the history's operations.
#include <functional>
#include <string>

#include "app/ClipRecord.h"
#include "forms/Form.h"

class fMainForm : public forms::Form {
public:
    static constexpr int kRowHeightPx = 70;  // 1050 twips
    static constexpr int kVisibleRows = 5;

    // Adds Content as the newest clip (or rejects it); does not redraw and does not save.
    void AddClip(const ClipText& content, const ClipText& copyDate, const ClipText& copyTime);
    void RefreshViewedClips();
    void Delete_Selected();
    void Delete_All();
    // Export all or the selected clips to a text file the user names.
    void Save_All();
    void Save_Selected();

    // Asks the user for the export file name; "" means cancelled. Replaceable for tests.
    std::function<std::string()> AskExportFileName;

    int TopElement = 0;  // index of the clip in the first visible row

protected:
    forms::WndCreate CreateOptions() override;
    void Form_Load() override;
    void Form_Paint(HDC dc) override;
    void Form_MouseDown(forms::MouseArgs& a) override;
    void Form_DblClick() override;

private:
    void Export(bool selectedOnly);
    int RowAt(int yPx) const;
    void txt_Click(int index);
    void txt_DblClick(int index);
};
