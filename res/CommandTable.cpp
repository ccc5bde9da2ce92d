#include "res/CommandTable.h"

#include "res/resource.h"

#include <array>

namespace {

constexpr CommandInfo kCommands[] = {
    {ID_DATABASE_CONNECT, "ID_DATABASE_CONNECT", "&Connect\tF7", "&Connect", "F7",
     "Connect to database", "Connect", 0},
    {ID_DATABASE_DISCONNECT, "ID_DATABASE_DISCONNECT", "D&isconnect\tF8", "D&isconnect", "F8",
     "Disconnect from database", "Disconnect", 1},
    {ID_DATABASE_REFRESH, "ID_DATABASE_REFRESH", "&Refresh\tF5", "&Refresh", "F5", "Refresh data",
     "Refresh data", 3},
    {ID_DATABASE_VIEWDATA, "ID_DATABASE_VIEWDATA", "View &Data\tF9", "View &Data", "F9",
     "View data in tables and views", "View data", 2},
    {ID_DATABASE_SQL, "ID_DATABASE_SQL", "&SQL statement ...\tCtrl+E", nullptr, "Ctrl+E",
     "Run a statement of your own", "SQL statement", -1},
    {ID_FILE_SAVE_AS, "ID_FILE_SAVE_AS", "Save XML &data ...\tCtrl+S", "Save &XML data ...",
     "Ctrl+S", "Save XML data with a new name", "Save data", -1},
    {ID_FILE_SAVE_CSV, "ID_FILE_SAVE_CSV", "Save &CSV data ...\tCtrl+Shift+S", nullptr, "Ctrl+Shift+S",
     "Save the list as comma-separated values", "Save CSV", -1},
    {ID_APP_EXIT, "ID_APP_EXIT", "E&xit", nullptr, nullptr,
     "Quit the application; prompts to save documents", "Exit", -1},
    {ID_LINKS_HOMEPAGE, "ID_LINKS_HOMEPAGE", "&Norvane", "&Norvane", nullptr, "Norvane homepage",
     "Norvane homepage", -1},
    {ID_LINKS_DOWNLOAD, "ID_LINKS_DOWNLOAD", "Norvane &download", "Norvane &download", nullptr,
     "Norvane download page", "Norvane download page", -1},
    {ID_LINKS_ORACLE, "ID_LINKS_ORACLE", "&Oracle", "&Oracle", nullptr, "Oracle homepage",
     "Oracle homepage", -1},
    {ID_LINKS_TECHNET, "ID_LINKS_TECHNET", "Oracle &technet", "Oracle &technet", nullptr,
     "Oracle technet", "Oracle technet", -1},
    {ID_LINKS_METALINK, "ID_LINKS_METALINK", "Oracle &metalink", "Oracle &metalink", nullptr,
     "Oracle metalink", "Oracle metalink", -1},
    {ID_LINKS_GOOGLE, "ID_LINKS_GOOGLE", "&Google", nullptr, nullptr, "Search on Google", "Google",
     -1},
    {ID_SETUP_CONFIGURATION, "ID_SETUP_CONFIGURATION", "&Configuration", nullptr, nullptr,
     "Setup configuration for the application", "Setup", -1},
    {ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR", "&Toolbar", nullptr, nullptr, "Show or hide the toolbar",
     "Toggle ToolBar", -1},
    {ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", "&Status Bar", nullptr, nullptr,
     "Show or hide the status bar", "Toggle StatusBar", -1},
    {ID_HELP, "ID_HELP", "&Help Topics", "&Help Topics", "F1", "Display help", "Help", 4},
    {ID_APP_ABOUT, "ID_APP_ABOUT", "&About Lumidex...", nullptr, nullptr,
     "Display program information, version number and copyright", "About", -1},
    {ID_CONTEXT_HELP, "ID_CONTEXT_HELP", nullptr, nullptr, "Shift+F1",
     "Display help for clicked on buttons, menus and windows", "Help", -1},
    {ID_HELP_FINDER, "ID_HELP_FINDER", nullptr, nullptr, nullptr, nullptr, nullptr, -1},
    {ID_DEFAULT_HELP, "ID_DEFAULT_HELP", nullptr, nullptr, nullptr, nullptr, nullptr, -1},
};

constexpr int kFileMenu[] = {ID_FILE_SAVE_AS, ID_FILE_SAVE_CSV, 0, ID_APP_EXIT};
constexpr int kDatabaseMenu[] = {ID_DATABASE_REFRESH, ID_DATABASE_CONNECT, ID_DATABASE_DISCONNECT,
                                 ID_DATABASE_VIEWDATA, ID_DATABASE_SQL};
constexpr int kLinksMenu[] = {ID_LINKS_HOMEPAGE, ID_LINKS_DOWNLOAD, 0, ID_LINKS_ORACLE,
                              ID_LINKS_TECHNET, ID_LINKS_METALINK, 0, ID_LINKS_GOOGLE};
constexpr int kSetupMenu[] = {ID_SETUP_CONFIGURATION};
constexpr int kViewMenu[] = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
constexpr int kHelpMenu[] = {ID_HELP, 0, ID_APP_ABOUT};

constexpr MenuPopup kMainMenu[] = {
    {"&File", kFileMenu},   {"&Database", kDatabaseMenu}, {"&Links", kLinksMenu},
    {"Se&tup", kSetupMenu}, {"&View", kViewMenu},         {"&Help", kHelpMenu},
};

constexpr int kPopupMenu[] = {ID_DATABASE_REFRESH, ID_DATABASE_VIEWDATA, 0, ID_FILE_SAVE_AS, 0,
                              ID_DATABASE_CONNECT, ID_DATABASE_DISCONNECT, 0, ID_LINKS_HOMEPAGE,
                              ID_LINKS_DOWNLOAD, 0, ID_LINKS_ORACLE, ID_LINKS_TECHNET,
                              ID_LINKS_METALINK, 0, ID_HELP};

constexpr int kToolbar[] = {ID_DATABASE_CONNECT, ID_DATABASE_DISCONNECT, 0, ID_DATABASE_VIEWDATA,
                            ID_DATABASE_REFRESH, 0, ID_HELP};

constexpr DeadKey kDeadKeys[] = {
    {"Ctrl+C", ID_EDIT_COPY},     {"Ctrl+Ins", ID_EDIT_COPY},  {"Ctrl+X", ID_EDIT_CUT},
    {"Shift+Del", ID_EDIT_CUT},   {"Ctrl+V", ID_EDIT_PASTE},   {"Shift+Ins", ID_EDIT_PASTE},
    {"Ctrl+Z", ID_EDIT_UNDO},     {"Alt+Backspace", ID_EDIT_UNDO}, {"F6", ID_NEXT_PANE},
    {"Shift+F6", ID_PREV_PANE},
};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo* FindCommand(int nId)
{
    for (const CommandInfo& command : kCommands)
        if (command.nId == nId)
            return &command;
    return nullptr;
}

std::span<const MenuPopup> MainMenu() { return kMainMenu; }
std::span<const int> PopupMenu() { return kPopupMenu; }
std::span<const int> ToolbarButtons() { return kToolbar; }
std::span<const DeadKey> DeadKeys() { return kDeadKeys; }
