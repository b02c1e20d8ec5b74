// On-screen back-projection of a fluorogram region.
#include "platform/longpass.h"
#include "platform/services.h"
#include "workspace/core/back_projection.h"
#include "workspace/workspace_window.h"

namespace qv {

void Window1::PushButton5_Action() { onscreen(); }

void Window1::onscreen() {
    if (!poxc) return;
    if (BevelButton4->Value()) {
        MsgBox(QStringLiteral(
            "On-screen cannot be applied while in Memory mode. Restore the latest ROI by pressing "
            "the Memory button or draw a fresh ROI before On-screen."));
        return;
    }
    rensa = 3;
    rita3();  // the image with its outline again, without the white of an earlier On-screen

    // The painting goes into a copy of what the image canvas shows; pix and poxc stay as they are.
    PicturePtr painted = NewPicture(Canvas1->width(), Canvas1->height(), 32);
    if (!painted) return;
    if (Canvas1->Backdrop()) painted->Graphics().DrawPicture(Canvas1->Backdrop(), 0, 0);

    if (QuadrantMode()) {
        quadonscreen();
    } else {
        ondownx = ms3downx;
        ondowny = ms3downy;
        onupx = ms3upx;
        onupy = ms3upy;
    }

    if (const ChannelPair* pair = FindChannelPair(colormode)) {
        LongPass pass;
        const bool done = PaintBackProjection(
            poxc, *painted, RoiBox{msdownx, msdowny, msupx, msupy}, *pair,
            FluorogramRect{ondownx, ondowny, onupx, onupy}, [] { return UserCancelled(); });
        if (!done)
            MsgBox(QStringLiteral(
                "On-screen rendition was cancelled by someone like you. The result should not be "
                "trusted."));
    }

    if (PicturePtr backdrop = Canvas1->Backdrop()) {
        backdrop->Graphics().DrawPicture(painted, 0, 0);
        Canvas1->Refresh();
    } else {
        Canvas1->SetBackdrop(painted);
    }
}

void Window1::quadonscreen() {
    const QuadrantOnScreen q = QuadrantRegion(quadrotate, ms3upx, ms3upy);
    ondownx = q.region.downx;
    ondowny = q.region.downy;
    onupx = q.region.upx;
    onupy = q.region.upy;
    quadrotate = NextQuadrant(quadrotate);

    // The outline goes onto the canvas only: its next repaint shows the backdrop without it.
    PicturePtr outline = NewPicture(256, 256, 32);
    if (!outline) return;
    if (Canvas3->Backdrop()) outline->Graphics().DrawPicture(Canvas3->Backdrop(), 0, 0);
    Graphics& g = outline->Graphics();
    g.ForeColor = RGB(255, 128, 0);
    g.PenWidth = 2;
    g.PenHeight = 2;
    const OutlineRect rect = OutlineThrough(q.x1, q.y1, q.x2, q.y2);
    g.DrawRect(rect.left, rect.top, rect.width, rect.height);
    Canvas3->Graphics().DrawPicture(outline, 0, 0);
}

}  // namespace qv
