#pragma once
// fUninstall: the uninstall survey. Until it asks its questions, it ends the program at once.
#include "forms/Form.h"

class fUninstallForm : public forms::Form {
protected:
    void Form_Load() override { PostQuitMessage(0); }
};
