#pragma once
#include <span>

class TForm1;
using Command = void (TForm1::*)();

// One named command of the window. `hint` may be null (no tool tip); a
// command without `run` is shown greyed out.
struct ActionRow {
    const char* name;
    const char* category;
    const char* caption;
    const char* hint;
    const char* shortcut;
    const char* icon; // file name in :/icons, without ".svg"
    Command run;
};

std::span<const ActionRow> actionTable();
