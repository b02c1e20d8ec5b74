// Window9: the area analyzer.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/core/folderitem.h"
#include "platform/window.h"

namespace qv {

// "Area analyzer": per-channel areas and intensities of the ROI, written by the
// workspace, with running counts and mean areas of the included ROIs and the
// area tables of the "Save" pop-up.
class Window9 : public Window, public SingleInstance<Window9> {
    Q_OBJECT
  public:
    Window9();

    void PushButton1_Action();
    void BevelButton1_Open();
    void BevelButton1_Action();
    void Event_EnableMenuItems() override;
    void Event_Close() override;
    void Event_Open() override;
    bool _FileClose_Action();
    void clearall();
    void asexcel();
    void collect();

    std::int32_t redtot = 0;    // red areas included since opening or Clear all
    std::int32_t greentot = 0;  // green areas
    std::int32_t bluetot = 0;   // blue areas
    FolderItemPtr excfile;      // the open series file; each row reaches it at once
    bool writing = false;       // a series is open: Include appends a row

    StaticText* StaticText7 = nullptr;    // "Sample ID:"
    EditField* EditField19 = nullptr;     // sample ID
    StaticText* StaticText1 = nullptr;    // "Red"
    StaticText* StaticText2 = nullptr;    // "Green"
    StaticText* StaticText3 = nullptr;    // "Blue"
    EditField* EditField1 = nullptr;      // red area (px), written by the workspace
    EditField* EditField2 = nullptr;      // green area
    EditField* EditField3 = nullptr;      // blue area
    EditField* EditField4 = nullptr;      // red count n
    EditField* EditField5 = nullptr;      // green count n
    EditField* EditField6 = nullptr;      // blue count n
    EditField* EditField7 = nullptr;      // red mean area
    EditField* EditField8 = nullptr;      // green mean area
    EditField* EditField9 = nullptr;      // blue mean area
    StaticText* StaticText4 = nullptr;    // "Area (px)"
    StaticText* StaticText5 = nullptr;    // "n"
    StaticText* StaticText6 = nullptr;    // "Mean"
    PushButton* PushButton1 = nullptr;    // "Include"
    BevelButton* BevelButton1 = nullptr;  // "Save" pop-up; "Done" while collecting
    EditField* EditField10 = nullptr;     // red intensity, written by the workspace
    EditField* EditField11 = nullptr;     // green intensity
    EditField* EditField12 = nullptr;     // blue intensity
    StaticText* StaticText8 = nullptr;    // "Intensity"

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A number grown wider than its field's laid-out width pushes the columns
    // to its right (fields and heading) along by as much, so no field covers
    // its neighbour; they come back as the numbers shrink.
    void ArrangeColumns();
    // The two header lines and the data row (the red count, the three areas,
    // the three intensities) from the fields as they stand.
    QStringList Header() const;
    QString DataRow() const;
    void FillSaveMenu();
    // Ends a series that is open, keeping every row written so far.
    void EndSeries();
};

}  // namespace qv
