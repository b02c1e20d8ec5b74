// The polygon ROI: vertices clicked one by one on the image canvas, the close by
// a double-click or at the twentieth vertex, and the polygon's outline, mask and
// crop.
#include "platform/services.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/roi_crop.h"
#include "workspace/core/roi_rules.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

constexpr Color kOutlineColor = RGB(255, 255, 0);

}  // namespace

void Window1::PolygonClick(int x, int y) {
    const int lastpolygon = polygoncount;
    if (!polyongoing) polygoncount = 1;
    polyongoing = true;

    bool closed = false;
    if (doubleclick) {
        if (PolygonVertices(polygoncount) == 0) {
            // A click on the heels of a close: there is nothing to close. The
            // polygon ends here, and the last one stays the ROI a redraw draws,
            // with the corner and the thumbnail the press took away.
            polyongoing = false;
            polygoncount = lastpolygon;
            msdownx = lastclickx;
            msdowny = lastclicky;
            Canvas2->Refresh();
            RestartDoubleClick();
            return;
        }
        ClosePolygon();
        closed = true;
    }

    if (polygoncount + 1 >= static_cast<int>(polypoints.size())) {
        RestartDoubleClick();  // no room: never more than twenty vertices
        return;
    }
    polypoints[static_cast<size_t>(polygoncount)] = x;
    polypoints[static_cast<size_t>(polygoncount) + 1] = y;
    polygoncount += 2;
    if (!closed && polygoncount == kPolygonSlots) {
        // The twentieth vertex closes the polygon; the close's outline joins it.
        MsgBox(QStringLiteral("A polygon can not have more than 20 sides."));
        ClosePolygon();
    } else if (polygoncount != 3) {
        Canvas1->Graphics().DrawLine(x, y, lastclickx, lastclicky);
    }
    RestartDoubleClick();
}

void Window1::RestartDoubleClick() {
    Timer3->SetMode(1);
    doubleclick = true;
}

void Window1::Timer3_Action() {
    doubleclick = false;
    Timer3->SetMode(0);
}

void Window1::ClosePolygon() {
    polyongoing = false;
    if (PolygonVertices(polygoncount) == 0) return;
    drawpolygon();
    // The pair of the last build, not the popup's row.
    if (FindChannelPair(colormode)) setColorMode(colormode);
    else StaticText3->SetText(QStringLiteral("Select color mode"));
}

void Window1::drawpolygon() {
    const int n = PolygonVertices(polygoncount);
    const std::optional<RoiBox> box = PolygonBounds(polypoints, n, imgsize);
    // Without a vertex (or an image) there is no polygon: the ROI, its outline
    // and crop stay as they are.
    if (!box || !pix) return;
    points.assign(polypoints.begin(), polypoints.begin() + (2 * n + 1));

    PicturePtr outline = PixSquare();
    if (outline) {
        outline->Graphics().ForeColor = kOutlineColor;
        outline->Graphics().DrawPolygon(points);
    }
    Canvas1->SetBackdrop(outline);
    // The crop holds every pixel the filled polygon covers, its rim included.
    MaskedCrop made = CropPolygon(pix, imgsize, points);
    polymask = made.mask;
    StoreRoi(*box);
    TakeMaskedCrop(made.crop);
}

}  // namespace qv
