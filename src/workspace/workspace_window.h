// Window1: the colocalisation workspace window.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/core/folderitem.h"
#include "platform/core/picture.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "workspace/core/channel_pairs.h"
#include "workspace/core/coefficients.h"
#include "workspace/core/fluorogram_counts.h"
#include "workspace/core/roi_box.h"
#include "workspace/working_size.h"

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

    // The exact counts of pox2 and bkpox2: they travel with their pictures.
    FluorogramCountsPtr hits;
    FluorogramCountsPtr bkhits;
    // The last coefficients, given again while poxc, the ROI and the thresholds stay.
    OverlapMemo overlapMemo;

    static constexpr int kFrameSlots = 81;  // fola holds at most 81 files

    // ---- controls, in creation order ----------------------------------------
    Canvas* Canvas1 = nullptr;
    Canvas* Canvas2 = nullptr;
    ImageWell* ImageWell1 = nullptr;
    PushButton* PushButton1 = nullptr;
    StaticText* staticText1 = nullptr;
    StaticText* StaticText2 = nullptr;
    BevelButton* BevelButton1 = nullptr;
    BevelButton* BevelButton4 = nullptr;
    Timer* Timer1 = nullptr;
    PushButton* PushButton6 = nullptr;
    Timer* Timer2 = nullptr;
    BevelButton* BevelButton5 = nullptr;
    Timer* Timer3 = nullptr;
    StaticText* StaticText3 = nullptr;
    PushButton* PushButton9 = nullptr;
    StaticText* StaticText4 = nullptr;
    Slider* Slider1 = nullptr;
    LittleArrows* LittleArrows1 = nullptr;
    StaticText* StaticText7 = nullptr;
    StaticText* StaticText5 = nullptr;
    TabPanel* TabPanel1 = nullptr;
    RadioButton* RadioButton1 = nullptr;
    RadioButton* RadioButton2 = nullptr;
    RadioButton* RadioButton3 = nullptr;
    RadioButton* RadioButton4 = nullptr;
    GroupBox* roiGroupbox = nullptr;
    RadioButton* RectROI_RB = nullptr;
    RadioButton* OvalRoi_RB = nullptr;
    RadioButton* polyRoi_RB = nullptr;
    PopupMenu* colorModemenu = nullptr;
    Canvas* Canvas3 = nullptr;
    PushButton* PushButton7 = nullptr;
    PushButton* PushButton8 = nullptr;
    PushButton* PushButton5 = nullptr;
    BevelButton* BevelButton3 = nullptr;
    BevelButton* BevelButton2 = nullptr;
    CheckBox* CheckBox1 = nullptr;
    CheckBox* CheckBox3 = nullptr;
    RadioButton* histoRed_RB = nullptr;
    RadioButton* histoGreen_RB = nullptr;
    RadioButton* histoBlue_RB = nullptr;
    GroupBox* GroupBox1 = nullptr;
    CheckBox* CheckBox4 = nullptr;
    CheckBox* CheckBox2 = nullptr;
    PushButton* PushButton3 = nullptr;
    PushButton* PushButton10 = nullptr;
    GroupBox* selcModeGroupBox = nullptr;
    RadioButton* quad_RB = nullptr;
    RadioButton* sections_RB = nullptr;
    PushButton* PushButton4 = nullptr;
    PushButton* quadCalc_PB = nullptr;
    PushButton* PushButton12 = nullptr;
    GroupBox* GroupBox2 = nullptr;
    PushButton* PushButton2 = nullptr;
    StaticText* StaticText6 = nullptr;
    StaticText* StaticText8 = nullptr;

    // ---- control handlers -------------------------------------------------
    // ROI drawing
    void Canvas1_MouseUp(int x, int y);
    void Canvas1_MouseDrag(int x, int y);
    bool Canvas1_MouseDown(int x, int y);
    void Canvas1_Open();
    void PushButton1_Open();
    void PushButton1_Action();
    void Timer3_Action();
    void RectROI_RB_Open();
    void RectROI_RB_Action();
    void OvalRoi_RB_Action();
    void polyRoi_RB_Action();
    // frames and intake
    bool Canvas2_MouseDown(int x, int y);
    void ImageWell1_Open();
    void ImageWell1_DropObject(const std::vector<FolderItemPtr>& files);
    void Slider1_ValueChanged();
    void LittleArrows1_Up();
    void LittleArrows1_Down();
    void PushButton10_Action();
    // fluorogram views and history
    void BevelButton1_Open();
    void BevelButton1_Action();
    void BevelButton4_Open();
    void BevelButton4_Action();
    void Timer1_Action();
    void colorModemenu_Change();
    void BevelButton2_Open();
    void BevelButton2_Action();
    void CheckBox1_Open();
    void CheckBox1_Action();
    // commands
    void PushButton6_Action();
    void Timer2_Action();
    void BevelButton5_Action();
    void BevelButton5_Open();
    void PushButton9_Open();
    void PushButton9_Action();
    // tab pages
    void TabPanel1_Change();
    // sections and quadrants
    bool Canvas3_MouseDown(int x, int y);
    void Canvas3_MouseDrag(int x, int y);
    void Canvas3_MouseUp(int x, int y);
    void Canvas3_Open();
    void Canvas3_Paint(Graphics& g);
    void BevelButton3_Open();
    void BevelButton3_Action();
    void quad_RB_Action();
    void sections_RB_Action();
    void PushButton4_Action();
    void quadCalc_PB_Action();
    // background
    void PushButton7_Open();
    void PushButton7_Action();
    void PushButton8_Open();
    void PushButton8_Action();
    void CheckBox4_Action();
    void PushButton2_Action();
    // on-screen back-projection
    void PushButton5_Open();
    void PushButton5_Action();
    // histogram
    void CheckBox3_Action();
    void histoRed_RB_Action();
    void histoGreen_RB_Action();
    void histoBlue_RB_Action();
    void CheckBox2_Open();
    void CheckBox2_Action();
    void PushButton3_Action();
    // coefficients
    void PushButton12_Action();

    // ---- window events and menu handlers ------------------------------------
    void AddMenuHandlers();
    void Event_EnableMenuItems() override;
    void Event_Open() override;
    bool _FileOpen_Action();
    bool _AppleAboutQuorvane_Action();
    bool _FileImportBioradPIC_Action();
    bool _FileSaveAs_Action();
    bool _FileNewwindow_Action();
    bool _FormatLoadquadrant_Action();
    bool _FormatSavequadrants_Action();
    bool _FormatPreviousframe_Action();
    bool _FormatNextframe_Action();
    bool _FileExportROI_Action();
    bool _ToolsMontage_Action();
    bool _ToolsAreas_Action();
    bool _ToolsOpendemoimage_Action();
    bool _HelpOnlinehelp_Action();
    bool _ToolsAnalyzeROI_Action();

    // ---- methods -------------------------------------------------------------
    void ritacan(int x1, int y1, int x2, int y2);
    void cropcolorbg();
    void rita3();
    void roi(int x1, int y1, int x2, int y2);
    void shuffle();
    void calcroi(Graphics& g, int x, int y);
    void makeview();
    void cropcolorbr();
    void cropcolorrg();
    void quad();
    void calculator();
    void drawpolygon();
    void backgrhandl();
    void histocalc();
    void histodraw();
    void import(PicturePtr p);
    // The working image with its source and sizes, as a tool window takes it
    // back after handing the workspace a picture of its own.
    struct WorkingImage {
        PicturePtr pix;
        PicturePtr originalpix;
        std::int32_t imgsize = 0;
        std::int32_t can2size = 0;
    };
    WorkingImage workingImage() const;
    // Takes a working image back as import takes a picture (shown without a
    // ROI outline, with the hint to draw one), but at its own size, not
    // rescaled; one without a picture only brings the window forward.
    void restoreImage(const WorkingImage& image);
    void ritatrean();
    void quadonscreen();
    void coefficients();
    void afterdrop();
    void areas();
    void histosave();
    void onscreen();
    void savescreen();
    void drawoval(int x1, int y1, int x2, int y2);
    void setColorMode(const QString& s);
    void opendemo();
    void savePix();

    // How a new frame list shows the frame controls (Slider1, StaticText4 and
    // LittleArrows1, and "Flatten").
    struct FrameControlsRule {
        bool alwaysShown = false;  // shown also for a list of one frame, never hidden
        bool withFlatten = true;   // "Flatten" shown and hidden with them, else left as it is
    };
    // Takes files as the frame list and loads frame 0; of more than
    // kFrameSlots files the first are taken and a message says so. A drop on
    // the well shows the controls with "Flatten" only for several files; the
    // import window's saved frames always show them, without "Flatten".
    void TakeFrameList(const std::vector<FolderItemPtr>& files, FrameControlsRule controls);

    // The press point before the current press (where a polygon's line starts).
    std::int32_t lastclickx = 0;
    std::int32_t lastclicky = 0;
    // Quadrant mode: the "Advanced" caption reads "Quadrants" or the pick mode is quadrants.
    bool QuadrantMode() const;
    // The exact counts of the current fluorogram (all zero before the first one).
    const FluorogramCounts& Hits() const;

private:
    // ROI drawing
    void StoreRoi(const RoiBox& b);  // the ROI rectangle's corners become the box's
    // An oval's or polygon's crop becomes poxc with its thumbnail (unless rensa
    // is 3, which keeps the crop), then the coefficient window follows.
    void TakeMaskedCrop(const PicturePtr& crop);
    void PolygonClick(int x, int y);
    void ClosePolygon();
    void RestartDoubleClick();  // Timer3's 250 ms anew, doubleclick set
    // Rebuilds the fluorogram for the pair of colorModemenu's row (none: no rebuild).
    void SetColorModeByPopup();
    // Background handling
    void ShowWorkingPicture();   // pix drawn into Canvas1's backdrop, shown at once
    void SwapWorkingPictures();  // pix and pix2 exchanged, the new pix shown
    // Unticks Quad settings without running its action: hidden, unticked, shown.
    void UntickQuadSettingsSilently();
    // Canvas3 with the axis labels and the position readouts (the fluorogram
    // group of the tab pages without the thumbnail Canvas2).
    void ShowFluorogramView(bool visible);
    void Layout();
    void CreateControls();
    void RefreshCoefficientWindows();
    void BuildFluorogramOf(const ChannelPair& pair);
    PicturePtr ViewPicture();
    void RedrawRoi();
    // A white imgsize square with pix drawn at its own size in the top-left corner.
    PicturePtr PixSquare() const;
    // That square with the ROI box outlined in yellow (an oval or a rectangle).
    PicturePtr RoiOutline(bool oval, int x1, int y1, int x2, int y2) const;
    // The crop scaled down to the thumbnail; none only when it cannot be made.
    PicturePtr Thumbnail(const PicturePtr& crop) const;
    PicturePtr dragbase;  // the image under the rubber band during a drag
    // Frames
    void StepFrame(int step);              // the next (1) or previous (-1) frame, clamped
    // Shows or hides Slider1, StaticText4 and LittleArrows1 ("Flatten" apart).
    void ShowFrameControls(bool visible);
    // fola(k) decoded; none when it does not decode, or, with the reason in
    // `problem`, when it is more than the program can hold.
    PicturePtr FramePicture(int k, QString* problem) const;
    // The ROI box cut from poxc at (msdownx, msdowny), msupx - msdownx by
    // msupy - msdowny, unscaled; none without a crop or for an empty box.
    PicturePtr RoiBoxPicture() const;
    // The working size in the area windows may use, counting the window's
    // frame and menu bar.
    WorkingSize WorkingSizeHere(int pictureWidth, Intake intake) const;
    void ApplyWorkingSize(int pictureWidth, Intake intake);
    void PlaceAreaAnalyzer();
};

}  // namespace qv
