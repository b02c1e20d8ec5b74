#pragma once

// Sizes and places of the montage: the panel size from the workspace's ROI,
// the two layouts of the montage window, and the default channels.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>

#include "platform/core/color.h"

namespace qv {

// The panel size of a ROI with corners (downx, downy)-(upx, upy): up - down in
// each direction (the upper corner is not counted); a side of 0 takes the
// crop picture's full side. A negative side (an unnormalised ROI) counts as 0.
QSize MontagePanelSize(int downx, int downy, int upx, int upy, QSize crop);

// What a layout sets in the montage window and on the "Channels" page.
// Panel 1 always sits at (10, 10) and panel 2 at (vidd + 20, 10).
struct MontageLayout {
    QPoint canvas3;            // panel 3
    bool canvas3Visible = false;
    QPoint canvas4;            // the merge
    QSize window;              // the montage window's content
    bool thirdColumnEnabled = false;  // PopupMenu3 and PopupMenu6
    Color thirdColumnFill = kWhite;   // Rectangle10
};

// Three panels in a row (panel 1, panel 2, merge), panel 3 hidden.
MontageLayout ThreeModeLayout(int vidd, int hojd);
// The 2 x 2 grid: panels 1 and 2 on top, panel 3 and the merge below.
MontageLayout FourModeLayout(int vidd, int hojd);

// The montage window docked under its setup window. Rectangles are content
// areas (Left, Top, Width, Height); the margins are what lies around each
// content on the screen: the desktop's frame and, on top, the menu bar.
struct MontageDock {
    QRect montage;  // where the montage's content goes, and the size it shows
    int setupTop;   // the setup's Top: moved up only where even the least
                    // montage would not fit below it
};

// The gap between the setup's content and the montage's.
constexpr int kMontageGap = 21;

// Docks the montage `kMontageGap` pixels under the setup's content at its
// left, lower where the two frames need the room. Within `area` (the screen
// windows may use; none when empty) the montage moves left by the least step
// and keeps its top: it is as wide and as tall as `size` (the size it keeps:
// its whole laid-out size, or one the user gave it) where that fits, and
// shrinks where it does not, to no less than `least` a side; where even that
// height has no room below the setup, the setup moves up by the least step
// the area allows.
MontageDock DockMontage(const QRect& setup, const QMargins& setupOutside,
                        const QMargins& montageOutside, QSize size, int least, const QRect& area);

// The channel rows (1 "Red", 2 "Green", 3 "Blue") that panels 1, 2 and 3
// default to for a workspace channel pair: its two channels on panels 1 and
// 2, the remaining one on panel 3. None for an unknown pair.
std::optional<std::array<int, 3>> DefaultChannels(const QString& colormode);

}  // namespace qv
