#pragma once

// The one table of commands from which the main menu, the context menu, the
// accelerators, the toolbar and the status-bar prompts and tooltips are built.

#include <span>

struct CommandInfo {
    int nId;
    const char* pszName;
    const char* pszMenuText;     // main menu; "\t" separates the key hint; null: not in it
    const char* pszPopupText;    // context menu; null: not in it
    const char* pszKey;          // portable key sequence text; null: no key
    const char* pszPrompt;       // status-bar prompt
    const char* pszToolTip;
    int nToolbarImage;           // index into toolbar bitmap 128; -1: no button
};

// A pop-up of the main menu: its title and its items, 0 standing for a separator.
struct MenuPopup {
    const char* pszTitle;
    std::span<const int> items;
};

// An accelerator that no part of the program handles: its key does nothing.
struct DeadKey {
    const char* pszKey;
    int nId;
};

std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int nId);
std::span<const MenuPopup> MainMenu();                  // menu 128
std::span<const int> PopupMenu();                       // the one pop-up of menu 129
std::span<const int> ToolbarButtons();                  // toolbar 128, 0 for a separator
std::span<const DeadKey> DeadKeys();                    // the edit and pane keys of table 128
