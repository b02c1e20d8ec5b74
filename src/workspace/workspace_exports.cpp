// Picture and screen exports.
#include "workspace/workspace_window.h"

namespace qv {

void Window1::savescreen() {}

void Window1::savePix() {}

bool Window1::_FileExportROI_Action() { return false; }

}  // namespace qv
