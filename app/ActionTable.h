#pragma once

#include <QKeySequence>

struct TActions;
class QAction;
class TForm1;

// One row per command of the window: the single place where captions,
// hints, shortcuts, images and start states are written down.
struct ActionDef {
    QAction *TActions::*member;
    const char *name;
    const char *category;
    const char *caption;
    const char *hint;     // nullptr: none; "=": the caption
    const char *shortcut; // QKeySequence text, nullptr for none
    int image;            // index into the image list, -1 for none
    bool enabledAtStart;
    void (TForm1::*handler)();
};

extern const ActionDef ActionTable[];
extern const int ActionCount;

// A menu entry: an action (optionally under a caption of its own),
// a separator (member == nullptr, submenu == nullptr) or a submenu.
struct MenuEntry {
    QAction *TActions::*member;
    const char *caption;            // nullptr: the action's caption
    const MenuEntry *submenu;       // entries of a submenu, ending with an empty entry
    const char *submenuTitle;
};

struct MenuDef {
    const char *title;
    const MenuEntry *entries; // ending with END: no action, no submenu, caption ""
};

extern const MenuDef MainMenu[];
extern const int MainMenuCount;

// Toolbar buttons from left to right; nullptr is a separator.
extern QAction *TActions::*const ToolBarEntries[];
extern const int ToolBarCount;

constexpr int ImageCount = 15;
