#pragma once

class QMenuBar;

namespace qv {

class MenuBar;
class Window;

// The menu bar shown on a window: one action per named item, enabled as the
// last menu update left the item. Choosing an item runs the command with this
// window in front.
QMenuBar* BuildMenuBarView(const MenuBar& model, Window* window);

// Runs the menu update before any keyboard shortcut acts (a disabled action
// would swallow its shortcut).
void InstallMenuUpdates();

}  // namespace qv
