// Window7: the montage window.
#pragma once

#include "platform/core/picture.h"
#include "platform/window.h"

namespace qv {

class Canvas;

// "Montage": the per-channel panels and their merge, docked below the setup;
// markers are placed on the first panel and stamped into all four.
class Window7 : public Window, public SingleInstance<Window7> {
    Q_OBJECT
public:
    Window7();

    // The least width and height of the window's content.
    static constexpr int kMinimumSide = 64;

    // The marker tool: 0 none, 1 yellow marker, 2 black arrow, 3 white arrow.
    int curSelect = 0;
    PicturePtr arrowWhite;  // the 16 x 16 white arrow, drawn through its mask
    PicturePtr stampArrow;  // the marker in use

    // Canvas1 (panel 1) to Canvas4 (the merge), k from 1 to 4.
    Canvas* Panel(int k) const;

    // The montage's whole laid-out size, at least the least side: what a
    // snapshot shows. The window shows as much of it as the screen has room
    // for under the setup.
    QSize Sheet() const { return sheet_; }
    // Lays the window out at `sheet`, gives it that size and docks it again.
    void SetSheet(QSize sheet);

    // Docks the window 21 pixels below the setup window's content, at its
    // left; lower where the frames need the room, so that neither frame lies
    // over the other. It keeps the size it has (its laid-out size, or one the
    // user gave it), but is no wider than the screen and no taller than the
    // room below the setup: it grows shorter rather than higher, and takes
    // that size back once the room is there again. Where not even its least
    // height has room there, the setup moves up.
    void DockUnder(Window& setup);

    void Event_Open() override;
    void Event_Resized() override;
    void Event_FrameChanged() override;
    void Event_EnableMenuItems() override;
    bool _FileClose_Action();

    void Canvas1_Open();
    void Canvas1_MouseEnter();
    void Canvas1_MouseMove(int X, int Y);
    bool Canvas1_MouseDown(int X, int Y);

private:
    PicturePtr MarkerOf(int tool);
    PicturePtr ghost_;  // the picture each panel's ghost is composed in
    QSize sheet_;
    QSize kept_;  // the size the window keeps when docked: the sheet's or the user's
};

}  // namespace qv
