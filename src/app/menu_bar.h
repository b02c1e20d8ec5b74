#pragma once

#include <memory>

#include "platform/menus.h"

namespace qv {

// The program's menu bar: File, Edit, Format, Tools and Help with their named items.
std::unique_ptr<MenuBar> BuildMenuBar();

}  // namespace qv
