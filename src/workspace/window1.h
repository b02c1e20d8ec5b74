#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/folderitem.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace qv {

// The colocalisation workspace "Colocalization analysis". It holds the working
// image and every intermediate result of the analysis; the tool windows, the
// Bio-Rad import and the montage read and write its state directly.
class Window1 : public Window, public SingleInstance<Window1> {
    Q_OBJECT
public:
    Window1();
    ~Window1() override;

    // ---- state, in declaration order -------------------------------------
    PicturePtr pix;             // working image shown in Canvas1
    std::int32_t msdownx = 0;   // ROI rectangle, left x in image pixels
    std::int32_t msdowny = 0;   // ROI rectangle, top y
    PicturePtr pox;             // fluorogram: colour scatter
    std::int32_t msupx = 0;     // ROI rectangle, right x
    std::int32_t msupy = 0;     // ROI rectangle, bottom y
    PicturePtr pox2;            // fluorogram: hit counts, red = high byte, green = low byte
    PicturePtr pox3;            // fluorogram: grey density
    std::int32_t bevstate = 1;  // fluorogram view: 1 colour scatter, 2 grey density
    std::int32_t ms3downx = 0;  // fluorogram section, left x
    std::int32_t ms3downy = 0;  // fluorogram section, top y
    std::int32_t ms3upx = 0;    // fluorogram section, right x; quadrant cross-point x
    std::int32_t ms3upy = 0;    // fluorogram section, bottom y; quadrant cross-point y
    std::int32_t ms4downx = 0;  // previous section, left x
    std::int32_t ms4upx = 0;    // previous section, right x
    std::int32_t ms4downy = 0;  // previous section, top y
    std::int32_t ms4upy = 0;    // previous section, bottom y; 0 means none
    bool poxtaken = false;      // a fluorogram exists
    PicturePtr bkpox;           // previous colour scatter
    PicturePtr bkpox2;          // previous hit counts
    PicturePtr bkpox3;          // previous grey density
    PicturePtr poxc;            // ROI crop, imgsize x imgsize, white outside the ROI
    PicturePtr bkpoxc;          // previous ROI crop
    std::int32_t rensa = 0;     // redraw state 0..4
    std::int32_t imgsize = 0;   // side of the square working area
    QString colormode = QStringLiteral("rg");  // channel pair "rg", "rb" or "bg"
    PicturePtr polymask;        // oval or polygon mask, yellow inside
    std::int32_t polygoncount = 0;       // next free index in the polygon vertex arrays
    std::vector<std::int32_t> points;    // vertex list for the polygon drawing (0..40 at open)
    bool doubleclick = false;            // a polygon click less than 250 ms ago
    std::vector<std::int32_t> polypoints;  // clicked vertices: x at 2k-1, y at 2k (0..40)
    PicturePtr pix2;            // the image before the last background removal
    PicturePtr pox4;            // histogram picture
    std::vector<std::int32_t> his;  // histogram bins 0..255
    std::int32_t ms3upoldx = 0;     // section before the current press, right x
    std::int32_t ms3upoldy = 0;     // section before the current press, bottom y
    std::int32_t ms3downoldx = 0;   // section before the current press, left x
    std::int32_t ms3downoldy = 0;   // section before the current press, top y
    bool polyongoing = false;       // a polygon is being clicked
    std::int32_t ondownx = 0;       // on-screen region on the fluorogram, left x
    std::int32_t ondowny = 0;       // top y
    std::int32_t onupx = 0;         // right x
    std::int32_t onupy = 0;         // bottom y
    std::int32_t quadrotate = 0;    // quadrant shown by the next On-screen press, 0..3
    bool calclive = false;          // live refresh of the quadrant calculator
    std::int32_t bkpms3upx = 0;     // saved cross-point x (Save quadrants)
    std::int32_t bkpms3upy = 0;     // saved cross-point y
    bool coefflive = false;         // live refresh of the coefficient window
    bool polygonmode = false;       // the ROI shape is the polygon
    std::int32_t nbilds = 0;        // index of the last frame
    std::int32_t actualframe = 0;   // current frame, from 0
    std::vector<FolderItemPtr> fola;  // frame files, indexes 0..80
    bool newstart = false;            // a new frame list was just set; the next load does not redraw
    bool areaongoing = false;         // the area analyzer is open
    bool quadnotsection = false;      // fluorogram pick mode: true quadrants, false sections
    bool ovalmode = false;            // the ROI shape is the oval
    bool ovalongoing = false;         // an oval drag is in progress
    bool roianalysisongoing = false;  // the ROI analysis window is open
    PicturePtr originalpix;           // the image as taken in, for "Revert to original"
    std::int32_t can2size = 0;        // side of the ROI thumbnail in Canvas2
    std::int32_t msHistoX = 0;        // histogram split position 0..255

    static constexpr int kFrameSlots = 81;  // fola holds at most 81 files

    // ---- window events -----------------------------------------------------
    void Event_Open() override;

    // ---- image intake ------------------------------------------------------
    void afterdrop();

private:
    void Layout();
    void CreateControls();
};

}  // namespace qv
