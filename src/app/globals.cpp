#include "app/globals.h"

namespace qv::Module1 {

void Initialise() {
    iroi.assign(4, 0);
    startfol.reset();
    versionDetails.clear();
    okuser = false;
}

void Release() {
    iroi.clear();
    iroi.shrink_to_fit();
    startfol.reset();
    versionDetails.clear();
    okuser = false;
}

}  // namespace qv::Module1
