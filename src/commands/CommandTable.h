#pragma once

#include <QString>

#include <vector>

namespace corvanta {

// The command ids carried by the toolbar buttons and menu entries. The numbers
// are fixed: they are the program's own names for its commands. The dispatch
// switches over this enum without a default label, so a command added here
// without an action is a compiler warning.
enum class CommandId : int {
    AddFilesButton = 1000,
    AddFolderButton = 1001,
    StartJoiningButton = 1002,
    ClearListButton = 1003,
    AddFilesEntry = 2000,
    AddFolderEntry = 2001,
    ClearSelectedEntry = 2002,
    ClearAllEntry = 2003,
    ExitEntry = 2004,
    AdditionalHelpEntry = 2007,
    LoadSamplesEntry = 2008,
    DemoVideoEntry = 2009,
    FaqEntry = 2010,
    HomePageEntry = 2011,
};

// Where a command appears. Each id has exactly one place.
enum class CommandPlace { Toolbar, FileMenu, HelpMenu };

struct CommandRow
{
    CommandId id;
    // The English caption; commandCaption() gives it as the user reads it.
    const char *caption;
    CommandPlace place;
    // A separator line is drawn above an entry that begins a group.
    bool beginsGroup;
    // Base name of the bundled icon (":/icons/<size>/<name>.png").
    QString iconName;
    // What a screen reader says about a toolbar button beyond its caption, in English.
    const char *accessibleDescription = "";
};

// Every command, in display order: the toolbar's buttons, then the "&File"
// menu, then the "&Help" menu.
const std::vector<CommandRow> &commandTable();

// The row of an id, or nullptr for ids that have none (such as a menu title's 0).
const CommandRow *findCommand(int id);

// The caption the user reads, the maker's site named where it belongs.
QString commandCaption(const CommandRow &row);

// "Standard" for the toolbar, "&File" and "&Help" for the menus.
QString placeTitle(CommandPlace place);

// Toolbar icons are 48 x 48 pixels, menu icons 16 x 16.
int iconSizeFor(CommandPlace place);

// The object name of a command's action, e.g. "command1000".
QString commandObjectName(int id);

} // namespace corvanta
