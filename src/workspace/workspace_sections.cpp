// The fluorogram canvas as an input: sections and their counts, the quadrant
// cross-point and the quadrant counts, Save and Load quadrants.
#include <algorithm>

#include "app/globals.h"
#include "platform/core/text.h"
#include "tools/coefficient_window.h"
#include "tools/quadrant_calculator.h"
#include "workspace/core/sections.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

constexpr Color kYellow = RGB(255, 255, 0);

// A 256 x 256 copy of the canvas's backdrop, for a drag frame.
PicturePtr CopyOfBackdrop(Canvas* canvas) {
    PicturePtr p = NewPicture(256, 256, 32);
    if (p && canvas->Backdrop()) p->Graphics().DrawPicture(canvas->Backdrop(), 0, 0);
    return p;
}

// The current section's corners become the rectangle's.
void StoreSection(Window1& w, const FluorogramRect& r) {
    w.ms3downx = r.downx;
    w.ms3downy = r.downy;
    w.ms3upx = r.upx;
    w.ms3upy = r.upy;
}

}  // namespace

const FluorogramCounts& Window1::Hits() const {
    static const FluorogramCounts none;
    return hits ? *hits : none;
}

// ---- mouse on the fluorogram canvas -----------------------------------------------

bool Window1::Canvas3_MouseDown(int x, int y) {
    if (!poxc) return false;
    if (TabPanel1->Value() == 2) {
        msHistoX = x;
    } else {
        ms3downoldx = ms3downx;
        ms3downoldy = ms3downy;
        ms3upoldx = ms3upx;
        ms3upoldy = ms3upy;
        ms3downx = x;
        ms3downy = y;
    }
    quadrotate = 0;
    return true;
}

void Window1::Canvas3_MouseDrag(int x, int y) {
    if (TabPanel1->Value() == 2) {
        if (x == msHistoX) return;
        msHistoX = ClampToFluorogram(x);
        PicturePtr frame = CopyOfBackdrop(Canvas3);
        frame->Graphics().ForeColor = kBlack;
        frame->Graphics().DrawLine(msHistoX, 0, msHistoX, 255);
        Canvas3->Graphics().DrawPicture(frame, 0, 0);
        StaticText5->SetText(Str(msHistoX));
        StaticText7->SetText(QString());
        return;
    }
    if (x == ms3downx && y == ms3downy) return;
    StoreSection(*this, SectionRelease(ms3downx, ms3downy, x, y, false));
    PicturePtr frame = CopyOfBackdrop(Canvas3);
    Graphics& g = frame->Graphics();
    g.ForeColor = kYellow;
    if (quadnotsection) {
        g.DrawLine(0, ms3upy, 255, ms3upy);
        g.DrawLine(ms3upx, 0, ms3upx, 255);
    } else {
        // the section is normalised only at the release; the band shows the same box
        const int left = std::min(ms3downx, ms3upx), top = std::min(ms3downy, ms3upy);
        g.DrawRect(left, top, std::abs(ms3upx - ms3downx), std::abs(ms3upy - ms3downy));
    }
    Canvas3->Graphics().DrawPicture(frame, 0, 0);
    StaticText5->SetText(Str(ms3upx));
    StaticText7->SetText(Str(255 - ms3upy));
}

void Window1::Canvas3_MouseUp(int x, int y) {
    const int page = TabPanel1->Value();
    if (page == 2) {
        msHistoX = ClampToFluorogram(x);
        histocalc();
    } else {
        ms4upx = ms3upoldx;
        ms4upy = ms3upoldy;
        ms4downx = ms3downoldx;
        ms4downy = ms3downoldy;
        // Only a section on the Fluorogram page is normalised; a quadrant
        // cross-point or a release on the Background page is taken as it is.
        StoreSection(*this, SectionRelease(ms3downx, ms3downy, x, y, page == 0 && !quadnotsection));
        if (page == 1 && CheckBox4->Value()) {
            backgrhandl();
            return;
        }
        ritatrean();
        if (quadnotsection) {
            quad();
        } else {
            if (ms4upy != 0) roi(ms4downx, ms4downy, ms4upx, ms4upy);
            roi(ms3downx, ms3downy, ms3upx, ms3upy);
            if (CheckBox1->Value()) {
                if (PicturePtr view = Canvas3->Backdrop()) calcroi(view->Graphics(), 0, 0);
            }
        }
    }
    StaticText3->SetText(QStringLiteral("When ready, drop new image here"));
    Timer2->SetMode(1);
}

void Window1::Canvas3_Paint(Graphics&) {
    BevelButton2->setEnabled(true);
    BevelButton1->setEnabled(true);
    StaticText5->setVisible(true);
    StaticText7->setVisible(true);
}

// ---- sections ---------------------------------------------------------------------

void Window1::roi(int x1, int y1, int x2, int y2) {
    if (PicturePtr view = Canvas3->Backdrop()) {
        Graphics& g = view->Graphics();
        g.ForeColor = bevstate == 2 ? RGB(80, 80, 80) : kYellow;
        g.DrawRect(x1, y1, x2 - x1, y2 - y1);
    }
    BevelButton3->setEnabled(true);
    BevelButton1->setEnabled(true);
}

void Window1::calcroi(Graphics& g, int x, int y) {
    if (!poxc) return;
    g.ForeColor = bevstate == 2 ? RGB(1, 1, 1) : kYellow;
    if (ms4upy != 0) {
        const auto n = SectionCount(Hits(), ms4downx, ms4downy, ms4upx, ms4upy);
        const TextPlace at = SectionTextPlace(ms4downx, ms4downy, x, y);
        g.DrawString(Str(n), at.x, at.baseline);
    }
    const auto n = SectionCount(Hits(), ms3downx, ms3downy, ms3upx, ms3upy);
    const TextPlace at = SectionTextPlace(ms3downx, ms3downy, x, y);
    g.DrawString(Str(n), at.x, at.baseline);
}

void Window1::BevelButton3_Action() { calcroi(Canvas3->Graphics(), 0, 0); }

void Window1::sections_RB_Action() {
    quadnotsection = false;
    quadCalc_PB->setEnabled(false);
    ms3upy = 0;
    ms4upy = 0;
}

void Window1::PushButton4_Action() {
    rensa = 1;
    rita3();
}

// ---- quadrants --------------------------------------------------------------------

void Window1::quad() {
    const int cx = ms3upx, cy = ms3upy;
    const auto sums = QuadrantSums(Hits(), cx, cy);
    // Each sum is at most the ROI's pixel count (1024 x 1024), well inside an Int32.
    Module1::iroi.assign(sums.begin(), sums.end());

    const Color colour = bevstate == 2 ? RGB(10, 10, 10) : kYellow;
    Canvas3->Graphics().ForeColor = colour;
    if (PicturePtr view = Canvas3->Backdrop()) {
        Graphics& g = view->Graphics();
        g.ForeColor = colour;
        const auto places = QuadrantTextPlaces(cx, cy);
        for (int i = 0; i < 4; ++i)
            g.DrawString(Str(Module1::iroi[static_cast<size_t>(i)]), places[static_cast<size_t>(i)].x,
                         places[static_cast<size_t>(i)].baseline);
        g.DrawLine(0, cy, 255, cy);
        g.DrawLine(cx, 0, cx, 255);
    }
    Canvas3->Refresh();
    ms4upy = 0;
    // Live refresh of the single tool windows.
    if (calclive) {
        if (Window2* calc = Window2::existing()) calc->calculate();
        if (Window6::existing()) coefficients();
    }
    if (coefflive) {
        if (Window6* c = Window6::existing(); c && c->CheckBox2->Value()) coefficients();
    }
    BevelButton3->setEnabled(true);
    BevelButton1->setEnabled(true);
}

void Window1::quad_RB_Action() {
    quadnotsection = true;
    quadCalc_PB->setEnabled(true);
}

void Window1::quadCalc_PB_Action() { calculator(); }

void Window1::calculator() {
    Window1* w = Window1::instance();
    Window2* calc = Window2::instance();
    calc->SetLeft(calc->LeftBeside(*w));  // the workspace's Left + Width, frames counted
    calc->SetTop(w->Top());
    calc->Show();
}

bool Window1::_FormatSavequadrants_Action() {
    bkpms3upx = ms3upx;
    bkpms3upy = ms3upy;
    return false;
}

bool Window1::_FormatLoadquadrant_Action() {
    // Nothing to count or draw on before the first fluorogram.
    if (!pox2) return false;
    ms3upx = bkpms3upx;
    ms3upy = bkpms3upy;
    const int row = BevelButton5->MenuValue();
    if (row >= 0 && row < BevelButton5->Rows().size()) BevelButton5->SetCaption(BevelButton5->Rows()[row]);
    ritatrean();
    quad();
    return false;
}

}  // namespace qv
