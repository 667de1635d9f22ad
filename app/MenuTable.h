#pragma once
#include "app/ActionTable.h"
#include <span>

// One entry of a menu. An entry names the action it shows (`action`), or is an
// item of its own (`item`, with its own command), or both: an item of its own
// name that runs an action and may show its own caption, hint or shortcut.
// A null `action` and null `item` with a null caption is a separator; an entry
// with `submenu` opens the menu of that name.
struct MenuEntry {
    const char* item = nullptr;
    const char* action = nullptr;
    const char* caption = nullptr;
    const char* hint = nullptr;
    const char* shortcut = nullptr;
    Command run = nullptr;
    const char* submenu = nullptr;
    enum Flags { None = 0, Default = 1, Checkable = 2, Checked = 4 };
    int flags = None;
};

struct MenuRow {
    const char* name;     // object name of the QMenu
    const char* caption;  // title shown in the menu bar or parent menu
    std::span<const MenuEntry> entries;
};

// The main menu bar, in order, then every sub-menu it opens.
std::span<const MenuRow> mainMenus();
std::span<const MenuRow> subMenus();
// The pop-up menus, each named after the control it belongs to.
struct PopupRow {
    MenuRow menu;
    const char* control;
};
std::span<const PopupRow> popupMenus();

// The vertical tool bar of each page, top to bottom.
struct ToolBarRow {
    const char* name;
    std::span<const char* const> actions;
};
std::span<const ToolBarRow> toolBars();
