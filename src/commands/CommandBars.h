#pragma once

#include <QString>

class QAction;
class QWidget;

namespace corvanta {

// Kinds of control a bar can hold, by their long-standing numbers.
enum class ControlType : int { Button = 1, DropDown = 2 };

// Appends one control to a toolbar, menu bar or menu and returns its action.
// A button carries its id in QAction::data(), is named "command<id>" and shows
// the image stored for its id; a separator goes above it when it begins a
// group. A drop-down appends a QMenu titled with the caption (the returned
// action's menu()). The last three values are kept, unread, as the properties
// "description", "tag" and "category" of the action: every caller passes
// "", 0 and "Controls", and nothing in the program looks at them.
QAction *AddControl(QWidget *controls, ControlType type, int id, const QString &caption,
                    bool beginsGroup, const QString &description, int tag, const QString &category);

} // namespace corvanta
