#include "montage/core/montage_layout.h"

#include <algorithm>

namespace qv {

QSize MontagePanelSize(int downx, int downy, int upx, int upy, QSize crop) {
    int vidd = std::max(0, upx - downx);
    int hojd = std::max(0, upy - downy);
    if (vidd == 0) vidd = crop.width();
    if (hojd == 0) hojd = crop.height();
    return {vidd, hojd};
}

MontageLayout ThreeModeLayout(int vidd, int hojd) {
    MontageLayout l;
    l.canvas3 = {vidd + 20, hojd + 20};
    l.canvas3Visible = false;
    l.canvas4 = {2 * vidd + 30, 10};
    l.window = {3 * vidd + 40, hojd + 20};
    l.thirdColumnEnabled = false;
    l.thirdColumnFill = RGB(150, 150, 150);
    return l;
}

MontageLayout FourModeLayout(int vidd, int hojd) {
    MontageLayout l;
    l.canvas3 = {10, hojd + 20};
    l.canvas3Visible = true;
    l.canvas4 = {vidd + 20, hojd + 20};
    l.window = {2 * vidd + 30, 2 * hojd + 30};
    l.thirdColumnEnabled = true;
    l.thirdColumnFill = RGB(255, 255, 255);
    return l;
}

MontageDock DockMontage(const QRect& setup, const QMargins& setupOutside,
                        const QMargins& montageOutside, QSize size, int least, const QRect& area) {
    const int gap = std::max(kMontageGap, setupOutside.bottom() + montageOutside.top());
    MontageDock d{QRect(setup.left(), setup.bottom() + 1 + gap, size.width(), size.height()),
                  setup.top()};
    if (area.isEmpty()) return d;
    const int across = area.width() - montageOutside.left() - montageOutside.right();
    d.montage.setWidth(std::max(least, std::min(size.width(), across)));
    // Not even the least height fits below: the setup goes up, as far as the area lets it.
    const int room = area.bottom() - montageOutside.bottom() - d.montage.top() + 1;
    if (room < least) {
        const int up = std::min(least - room, setup.top() - setupOutside.top() - area.top());
        if (up > 0) {
            d.setupTop -= up;
            d.montage.translate(0, -up);
        }
    }
    const int below = area.bottom() - montageOutside.bottom() - d.montage.top() + 1;
    d.montage.setHeight(std::max(least, std::min(size.height(), below)));
    // Across, the least step back onto the area, as for any window.
    const int overhang = d.montage.right() + montageOutside.right() - area.right();
    if (overhang > 0) d.montage.translate(-overhang, 0);
    const int shortfall = area.left() - (d.montage.left() - montageOutside.left());
    if (shortfall > 0) d.montage.translate(shortfall, 0);
    return d;
}

std::optional<std::array<int, 3>> DefaultChannels(const QString& colormode) {
    if (colormode == QLatin1String("bg")) return std::array<int, 3>{2, 3, 1};
    if (colormode == QLatin1String("rb")) return std::array<int, 3>{1, 3, 2};
    if (colormode == QLatin1String("rg")) return std::array<int, 3>{2, 1, 3};
    return std::nullopt;
}

}  // namespace qv
