// The overlap coefficients of the ROI, written into the coefficient window.
#include "tools/coefficient_window.h"
#include "tools/core/quadrant_texts.h"
#include "workspace/core/coefficients.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

void PlaceBeside(Window6* c, Window1* w) {
    c->SetLeft(c->LeftBeside(*w));  // the workspace's Left + Width, frames counted
    c->SetTop(w->Top() + 250);
    c->Show();
}

}  // namespace

void Window1::coefficients() {
    Window6* c = Window6::instance();
    PlaceBeside(c, this);
    Show();

    const CoefficientThresholds thresholds =
        ThresholdsFor(colormode, c->CheckBox2->Value(), ms3upx, ms3upy);
    const OverlapCoefficients result =
        overlapMemo.Compute(poxc, RoiBox{msdownx, msdowny, msupx, msupy}, thresholds);

    if (!Window6::existing()) {
        c = Window6::instance();
        PlaceBeside(c, this);
    }
    const CoefficientWindowTexts texts = CoefficientTexts(result, colormode, c->CheckBox2->Value());
    for (size_t i = 0; i < 6; ++i) {
        c->counts[i]->SetText(texts.pixels[i]);
        c->fields[i]->SetText(texts.values[i]);
    }
    if (c->EditField7->Text().isEmpty()) c->EditField7->SetText(SampleIdOf(Title()));
    c->update();
}

void Window1::PushButton12_Action() { coefficients(); }

}  // namespace qv
