#pragma once

#include <QImage>
#include <QString>
#include <cstdlib>
#include <functional>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/picture.h"

namespace qv {

// Stands for "the source's own size" in a size argument of DrawPicture.
constexpr int kSourceSize = -10000;

// Columns [*first, *last) of row `row` whose centres lie inside the ellipse
// inscribed in the box x..x+w-1, y..y+h-1 (w, h > 0); false when the row holds
// none. These are the spans FillOval fills before clipping them to the picture.
bool OvalRow(int x, int y, int w, int h, int row, int* first, int* last);

// The edges of the polygon of `points` (x of vertex k at index 2k - 1, y at
// 2k; n vertices), for finding where they cross horizontal lines.
class PolygonEdges {
public:
    PolygonEdges(const std::vector<int>& points, int n);

    // Where the edges cross the line at height y, in ascending order: an edge
    // counts from its upper end's y up to, not including, its lower end's.
    // These are what FillPolygon fills between, pair by pair, at y = row + 0.5.
    void Crossings(double y, std::vector<double>* xs) const;

private:
    struct Edge {
        double xa, ya, run, rise, top, bottom;  // run and rise: from a to b
    };
    std::vector<Edge> edges_;  // by their upper end; none level
};

// Visits the pixels DrawLine draws from (x1, y1) to (x2, y2), in order from
// the first end point: visit(x, y). Each row's pixels come one after another.
template <class Visit>
void WalkLine(int x1, int y1, int x2, int y2, Visit&& visit) {
    // Bresenham; both end points are drawn.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int stepx = x1 < x2 ? 1 : -1, stepy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1, y = y1;
    for (;;) {
        visit(x, y);
        if (x == x2 && y == y2) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepx;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepy;
        }
    }
}

// Drawing into a picture, pixel-exact and without antialiasing. Rectangles and
// ovals cover x..x+w-1 and y..y+h-1; outlines lie inside that box, PenWidth
// columns and PenHeight rows thick. Everything is clipped to the picture.
class Graphics {
public:
    explicit Graphics(QImage* target) : image_(target) {}

    Color ForeColor = kBlack;
    int PenWidth = 1;
    int PenHeight = 1;
    QString TextFont = QStringLiteral("System");
    int TextSize = 0;  // 0: the platform's default (12)
    bool Bold = false;

    int Width() const { return image_->width(); }
    int Height() const { return image_->height(); }

    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);

    void DrawLine(int x1, int y1, int x2, int y2);
    void DrawRect(int x, int y, int w, int h);
    void FillRect(int x, int y, int w, int h);
    void ClearRect(int x, int y, int w, int h);  // fills white
    void DrawOval(int x, int y, int w, int h);
    void FillOval(int x, int y, int w, int h);
    // points: x of vertex k at index 2k-1, y at 2k; index 0 is not used.
    void DrawPolygon(const std::vector<int>& points);
    void FillPolygon(const std::vector<int>& points);
    // Text with its baseline at y.
    void DrawString(const QString& text, int x, int y);
    int StringWidth(const QString& text) const;
    int TextHeight() const;
    int TextAscent() const;

    // Copies the source rectangle (sx, sy, sw, sh) of p to (x, y, w, h), scaling by
    // nearest neighbour. kSourceSize in w or sw stands for p's width, in h or sh for
    // its height. A target or source of zero or negative size draws nothing.
    void DrawPicture(const PicturePtr& p, int x, int y, int w = kSourceSize, int h = kSourceSize,
                     int sx = 0, int sy = 0, int sw = kSourceSize, int sh = kSourceSize);

    // Called after every drawing call (a canvas repaints on it).
    std::function<void()> Changed;

    QImage* Target() { return image_; }

private:
    void Span(int y, int x0, int x1, Color c);  // x0..x1-1 on row y, clipped
    void Stamp(int x, int y);                   // one pen rectangle at (x, y)
    void Notify() {
        if (Changed) Changed();
    }
    QFont Font() const;

    QImage* image_;
};

}  // namespace qv
