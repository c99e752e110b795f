#pragma once

#include <QString>

#include <functional>

class QAction;
class QMenuBar;
class QToolBar;
class QWidget;

namespace corvanta {

// Kinds of control a bar can hold, by their long-standing numbers.
enum class ControlType : int { Button = 1, DropDown = 2 };

// Appends one control to a toolbar, menu bar or menu and returns its action.
// A button carries its id in QAction::data(), is named "command<id>" and shows
// the image stored for its id; a separator goes above it when it begins a
// group. A drop-down appends a QMenu titled with the caption (the returned
// action's menu()).
QAction *AddControl(QWidget *controls, ControlType type, int id, const QString &caption, bool beginsGroup);

// Receives the id of every command the user chooses, once per choice.
using CommandDispatch = std::function<void(int id)>;

// The toolbar "Standard" with its four buttons: 48 x 48 icons with their
// captions under them, docked for good.
QToolBar *buildToolbar(QWidget *parent, const CommandDispatch &dispatch);
// The "&File" and "&Help" menus on `bar`, with 16 x 16 icons.
void buildMenus(QMenuBar *bar, const CommandDispatch &dispatch);

} // namespace corvanta
