// Area counts of the ROI per channel, shown in the area analyzer.
#include "platform/core/text.h"
#include "tools/area_analyzer.h"
#include "workspace/core/area_counts.h"
#include "workspace/workspace_window.h"

namespace qv {

void Window1::areas() {
    // Only an open analyzer takes the counts; none is opened for them.
    Window9* analyzer = Window9::existing();
    if (!analyzer || !poxc) return;
    const AreaCounts a = CountAreas(poxc, RoiBox{msdownx, msdowny, msupx, msupy});
    analyzer->EditField1->SetText(Str(a.area[0]));
    analyzer->EditField2->SetText(Str(a.area[1]));
    analyzer->EditField3->SetText(Str(a.area[2]));
    analyzer->EditField10->SetText(Str(a.intensity[0]));
    analyzer->EditField11->SetText(Str(a.intensity[1]));
    analyzer->EditField12->SetText(Str(a.intensity[2]));
}

}  // namespace qv
