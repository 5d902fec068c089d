// A frame's menu shortcuts, run wherever the keyboard focus is: in the
// frame, before the focused control's own key bindings (a list takes
// Ctrl+N as a move of its cursor), and from another window that forwards
// them (the quiz map).
#pragma once

class wxFrame;
class wxKeyEvent;

// Runs the enabled menu command of `frame` whose shortcut `key` is; false,
// doing nothing, when `key` is none (or its command is disabled).
bool RunMenuShortcut(wxFrame& frame, const wxKeyEvent& key);
