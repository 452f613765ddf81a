#pragma once
// The read-only texts in front of controls, in the panels and dialogs alike.
class Fl_Output;

// A text that reads like a label: grey, flat, never focused.
Fl_Output *uiLabel(int x, int y, int w, int h, const char *text);
