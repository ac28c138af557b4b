#pragma once
// PlainForm: a window that so far has only its built-in look: a borderless popup, hidden.
#include "forms/Form.h"

class PlainForm : public forms::Form {};

// The windows that have no behaviour of their own yet.
class fOptionsForm : public PlainForm {};
