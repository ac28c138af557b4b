#pragma once
// The uninstall survey's own pictures. The survey runs without any skin package (nothing else of
// the program starts), so it carries its pictures in the program: drawn at load into its holders.
#include "forms/Picture.h"

namespace SurveyArt {
// The window: a dark panel with its title strip and question.
forms::Picture Background(int widthPx, int heightPx);
// A push-button strip of five 24 px looks (normal, focused, hover, pressed, disabled).
forms::Picture ButtonStrip(int widthPx, const wchar_t* text);
// The radio-button strip: six 16 px cells (off, off hover, on, on hover, off pressed, on pressed).
forms::Picture OptionStrip();
// The tile behind the comment's text.
forms::Picture CommentBackdrop();
}  // namespace SurveyArt
