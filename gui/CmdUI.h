#pragma once

// What a command-update handler sets for one command before a menu opens and after
// every command.
struct CCmdUI {
    int nId = 0;
    bool bEnabled = true;
    bool bChecked = false;

    void Enable(bool bOn) { bEnabled = bOn; }
    void SetCheck(bool bOn) { bChecked = bOn; }
};
