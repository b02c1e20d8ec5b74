// The fluorogram: its build from the ROI crop, its two views on Canvas3, the
// one-step history behind Memory and the redraw states run by rita3.
#include "platform/services.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/fluorogram.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

// The caption of the Monochrome button names the view shown.
QString ViewCaption(int bevstate) {
    return bevstate == 2 ? QStringLiteral("Monochr.") : QStringLiteral("Image");
}

}  // namespace

bool Window1::QuadrantMode() const {
    return BevelButton5->Caption() == QLatin1String("Quadrants") || quadnotsection;
}

// ---- build ------------------------------------------------------------------------

void Window1::setColorMode(const QString& s) {
    colormode = s;
    if (!poxc) return;
    if (s == QLatin1String("rg")) cropcolorrg();
    else if (s == QLatin1String("rb")) cropcolorbr();
    else if (s == QLatin1String("bg")) cropcolorbg();
    StaticText3->SetText(QStringLiteral("Draw a Section or Quadrant"));
}

void Window1::cropcolorrg() { BuildFluorogramOf(*FindChannelPair(QStringLiteral("rg"))); }

void Window1::cropcolorbr() { BuildFluorogramOf(*FindChannelPair(QStringLiteral("rb"))); }

void Window1::cropcolorbg() { BuildFluorogramOf(*FindChannelPair(QStringLiteral("bg"))); }

void Window1::BuildFluorogramOf(const ChannelPair& pair) {
    staticText1->SetTextColor(pair.yLabel.color);
    staticText1->SetText(QString::fromUtf8(pair.yLabel.text));
    StaticText2->SetTextColor(pair.xLabel.color);
    StaticText2->SetText(QString::fromUtf8(pair.xLabel.text));

    // The box of the ROI rectangle with both edges; positions outside the crop are no data.
    Fluorogram built = BuildFluorogram(poxc, pair, RoiBox{msdownx, msdowny, msupx, msupy});

    if (poxtaken) shuffle();
    pox = built.scatter;
    pox2 = built.counts;
    pox3 = built.density;
    hits = built.hits;
    rensa = 0;
    rita3();
    if (CheckBox1->Value()) {
        if (QuadrantMode()) {
            quad();
        } else {
            roi(ms3downx, ms3downy, ms3upx, ms3upy);
            if (ms4upy != 0) roi(ms4downx, ms4downy, ms4upx, ms4upy);
            if (PicturePtr view = Canvas3->Backdrop()) calcroi(view->Graphics(), 0, 0);
        }
    }
    poxtaken = true;
}

void Window1::colorModemenu_Change() { SetColorModeByPopup(); }

void Window1::SetColorModeByPopup() {
    switch (colorModemenu->ListIndex()) {
        case 0: setColorMode(QStringLiteral("rg")); break;
        case 1: setColorMode(QStringLiteral("rb")); break;
        case 2: setColorMode(QStringLiteral("bg")); break;
        default: break;
    }
}

// ---- views --------------------------------------------------------------------------

PicturePtr Window1::ViewPicture() {
    PicturePtr view = NewPicture(256, 256, 32);
    const PicturePtr& shown = bevstate == 2 ? pox3 : pox;
    if (view && shown) view->Graphics().DrawPicture(shown, 0, 0);
    BevelButton2->SetCaption(ViewCaption(bevstate));
    return view;
}

void Window1::ritatrean() { Canvas3->SetBackdrop(ViewPicture()); }

void Window1::RedrawRoi() {
    if (polygonmode) drawpolygon();
    else ritacan(msdownx, msdowny, msupx, msupy);
}

void Window1::rita3() {
    PicturePtr view = ViewPicture();
    if (rensa < 3) Canvas3->SetBackdrop(view);
    switch (rensa) {
        case 0:
            break;
        case 1:
            Canvas1->Refresh();  // wipes marks drawn straight onto the canvas
            RedrawRoi();
            ms4upy = 0;
            ms3upy = 0;
            ms3upoldx = 0;
            rensa = 2;
            BevelButton1->SetCaption(QStringLiteral("Clean up"));
            Timer1->SetMode(1);
            break;
        case 2:
            Canvas1->SetBackdrop(PixSquare());  // the plain image, without the outline
            ms4upy = 0;
            ms3upy = 0;
            ms3upoldx = 0;
            break;
        case 3:
        case 4:
            RedrawRoi();
            rensa = 0;
            break;
        default:
            break;
    }
}

void Window1::shuffle() {
    BevelButton4->setEnabled(true);
    std::swap(pox, bkpox);
    std::swap(pox2, bkpox2);
    std::swap(pox3, bkpox3);
    std::swap(hits, bkhits);
}

// ---- buttons ------------------------------------------------------------------------

void Window1::BevelButton1_Action() {
    if (rensa == 0) rensa = 1;
    rita3();
}

void Window1::Timer1_Action() {
    rensa = 0;
    BevelButton1->SetCaption(QStringLiteral("Clear ROI"));
}

void Window1::BevelButton4_Action() {
    shuffle();
    rita3();
    std::swap(poxc, bkpoxc);
    PicturePtr thumb = Thumbnail(poxc);
    if (!thumb) {
        MsgBox(QStringLiteral("not enough memory"));
        return;
    }
    Canvas2->SetBackdrop(thumb);
    if (CheckBox1->Value()) {
        if (QuadrantMode()) {
            quad();
        } else {
            Canvas3->Refresh();
            roi(ms3downx, ms3downy, ms3upx, ms3upy);
            if (ms4upy != 0) roi(ms4downx, ms4downy, ms4upx, ms4upy);
            if (PicturePtr view = Canvas3->Backdrop()) calcroi(view->Graphics(), 0, 0);
            Canvas3->Refresh();
        }
    }
}

void Window1::BevelButton2_Action() {
    bevstate = bevstate + 1;
    if (bevstate == 3) bevstate = 1;
    if (BevelButton5->Caption() == QLatin1String("Histogram")) {
        histocalc();
        return;
    }
    // Before the first fluorogram there is nothing to show, outline or count:
    // only the view to come is chosen.
    if (!pox2) {
        BevelButton2->SetCaption(ViewCaption(bevstate));
        return;
    }
    if (QuadrantMode()) {
        ritatrean();
        quad();
        return;
    }
    ritatrean();
    if (ms4upy != 0) roi(ms4downx, ms4downy, ms4upx, ms4upy);
    roi(ms3downx, ms3downy, ms3upx, ms3upy);
    if (CheckBox1->Value()) {
        if (PicturePtr view = Canvas3->Backdrop()) calcroi(view->Graphics(), 0, 0);
    }
}

void Window1::CheckBox1_Action() {
    if (CheckBox1->Value()) {
        BevelButton3->SetValue(true);
        calcroi(Canvas3->Graphics(), 0, 0);
    } else {
        BevelButton3->SetValue(false);
    }
}

}  // namespace qv
