#pragma once
// clsCdlgEx: the platform's common dialogs and a few shell dialogs, driven by properties set
// before and read after a dialog member. Texts are UTF-16 here; the common dialogs get them as
// ANSI, the shell's dialogs as the platform reads them (UTF-16 on the NT family).
#include <windows.h>

#include <commdlg.h>

#include <cstdint>
#include <optional>
#include <string>

#include "forms/Printer.h"

class clsCdlgEx {
public:
    // Vertical-bar separated filter items as the dialog wants them: NUL separated, two NULs after.
    static std::string FilterForDialog(const std::u16string& filter);

    // Runs a dialog by number: 1 open, 2 save, 3 colour, 4 font, 5 print, 6 help, 7 about,
    // 8 folder, 9 format, 10 icon, 12 restart, 13 run, 14 shut down; any other does nothing.
    void SetAction(int32_t action);

    bool CancelError() const { return cancelError_; }
    void SetCancelError(bool v) { cancelError_ = v; }
    HWND hOwner() const { return owner_; }
    void SethOwner(HWND v) { owner_ = v; }
    uint32_t flags() const { return flags_; }
    void Setflags(uint32_t v) { flags_ = v; }
    const std::u16string& DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(std::u16string v) { dialogTitle_ = std::move(v); }
    const std::u16string& DialogPrompt() const { return dialogPrompt_; }
    void SetDialogPrompt(std::u16string v) { dialogPrompt_ = std::move(v); }
    const std::u16string& AppName() const { return appName_; }
    void SetAppName(std::u16string v) { appName_ = std::move(v); }
    HICON hIcon() const { return icon_; }
    void SethIcon(HICON v) { icon_ = v; }
    bool Bold() const { return bold_; }
    void SetBold(bool v) { bold_ = v; }
    const std::u16string& FontName() const { return fontName_; }
    void SetFontName(std::u16string v) { fontName_ = std::move(v); }
    int32_t FontSize() const { return fontSize_; }
    void SetFontSize(int32_t v) { fontSize_ = v; }
    bool Italic() const { return italic_; }
    void SetItalic(bool v) { italic_ = v; }
    bool StrikeThru() const { return strikeThru_; }
    void SetStrikeThru(bool v) { strikeThru_ = v; }
    bool Underline() const { return underline_; }
    void SetUnderline(bool v) { underline_ = v; }
    const std::u16string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(std::u16string v) { defaultExt_ = std::move(v); }
    const std::u16string& FileName() const { return fileName_; }
    void SetFileName(std::u16string v) { fileName_ = std::move(v); }
    const std::u16string& FileTitle() const { return fileTitle_; }
    void SetFileTitle(std::u16string v) { fileTitle_ = std::move(v); }
    const std::u16string& Filter() const { return filter_; }
    void SetFilter(std::u16string v) { filter_ = std::move(v); }
    int32_t FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int32_t v) { filterIndex_ = v; }
    const std::u16string& InitDir() const { return initDir_; }
    void SetInitDir(std::u16string v) { initDir_ = std::move(v); }
    // 16 or 32; any other stored value reads (and is kept) as 32.
    int32_t IconSize();
    void SetIconSize(int32_t v) { iconSize_ = v == 16 ? 16 : 32; }
    uint32_t HelpCommand() const { return helpCommand_; }
    void SetHelpCommand(uint32_t v) { helpCommand_ = v; }
    const std::u16string& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::u16string v) { helpFile_ = std::move(v); }
    uint32_t HelpKey() const { return helpKey_; }
    void SetHelpKey(uint32_t v) { helpKey_ = v; }
    COLORREF RGBResult() const { return rgbResult_; }
    void SetRGBResult(COLORREF v) { rgbResult_ = v; }
    // The printers the print dialog offers and the current one; read from the system on first use.
    forms::Printers& Printers();

    // The shell's dialogs; their results are ignored, except the format dialog's.
    void ShowShutDown();
    void ShowRestart();
    void ShowRun();
    int32_t ShowFormat(int32_t iDrive = 0, int32_t iCapacity = 0, int32_t iFormatType = 0);
    void ShowIcon();
    std::u16string ShowFolder();
    void ShowObjectProp(const std::u16string& sObjectName = {}, const std::u16string& sTab = {});
    void ShowAbout();
    // File dialogs: on OK FileName and FileTitle hold the choice; a cancel leaves them as they were.
    void ShowOpen();
    void ShowSave();
    void ShowHelp();
    void ShowColor();
    void ShowFont();
    // Preset from the current printer; on OK the chosen printer becomes current with the chosen
    // orientation, duplex mode and copies.
    void ShowPrinter();
    void ShowFindFiles();

private:
    void ShowFileDialog(bool save);
    void Cancelled() const;

    bool cancelError_ = false;
    HWND owner_ = nullptr;
    uint32_t flags_ = 0;
    std::u16string dialogTitle_, dialogPrompt_, appName_;
    HICON icon_ = nullptr;
    bool bold_ = false, italic_ = false, strikeThru_ = false, underline_ = false;
    std::u16string fontName_;
    int32_t fontSize_ = 0;
    std::u16string defaultExt_, fileName_, fileTitle_, filter_, initDir_;
    int32_t filterIndex_ = 0;
    int32_t iconSize_ = 0;
    uint32_t helpCommand_ = 0, helpKey_ = 0;
    std::u16string helpFile_;
    COLORREF rgbResult_ = 0;
    std::optional<forms::Printers> printers_;
    OPENFILENAMEA ofn_{};  // kept, as the platform may leave values in it for the next dialog
};
