#pragma once
// What the small dialogs share: the drag by a handle label, the label that acts as its check
// box's text, and the built-in look they show until a skin gives them pictures.
#include <windows.h>

#include "forms/Form.h"
#include "forms/Label.h"

// Hands the press to the system as a press on a caption, so the window follows the mouse.
void DragByHandle(forms::Form& form);
// Label text in the dialogs' font: Arial, light on the dark panel.
void StyleDialogLabel(forms::Label& label, double sizePt = 9);
// Until a skin gives the window its picture: a dark panel with a title strip showing the caption.
void PaintBuiltInPanel(forms::Form& form, HDC dc);
