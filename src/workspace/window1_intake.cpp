// Image intake: loading the current frame.
#include "workspace/window1.h"

namespace qv {

void Window1::afterdrop() {
    // Loads fola(actualframe) as the working picture; the loading itself comes
    // with the image intake.
}

}  // namespace qv
