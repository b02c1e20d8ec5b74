// Window4: the Bio-Rad PIC import window.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "biorad/core/channel_merge.h"
#include "biorad/core/pic_intake.h"
#include "platform/core/binarystream.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/core/folderitem.h"
#include "platform/services.h"
#include "platform/window.h"

namespace qv {

class Window1;

// "Import Biorad file": takes one PIC stack or up to three channel files,
// merges them by the chosen channel order, grey plane and omitted channel, and
// hands the picture to the workspace.
class Window4 : public Window, public SingleInstance<Window4> {
    Q_OBJECT
public:
    Window4();

    void Event_Open() override;
    void Event_EnableMenuItems() override;
    void Event_Resized();
    bool _FileClose_Action();
    bool _FileSaveAs_Action();
    bool _FileImportBioradPIC_Action();

    void Canvas1_Open();
    // The drop intake: every file is checked before any is taken.
    void Canvas1_DropObject(const std::vector<FolderItemPtr>& files);
    bool Canvas1_MouseDown(int x, int y);
    void Canvas1_MouseDrag(int x, int y);
    void PopupMenu1_Open();
    void PopupMenu1_Change();
    void BevelButton1_Open();
    void BevelButton2_Open();
    void BevelButton1_Action();
    void BevelButton2_Action();
    void CheckBox1_Action();
    void CheckBox2_Action();
    void PushButton1_Action();
    void PushButton2_Action();
    void PushButton3_Action();

    // Takes one PIC file as the single current file and shows it in this
    // window (the workspace hands over PIC frames this way). False when the
    // file was refused (with a message) or a pass runs: nothing changed.
    bool Droppedonettan(FolderItemPtr f);
    // The open dialog for one PIC file.
    void locatefile();

    // Rebuilds colmode from the controls and merges, unless no stack was read
    // or "Movie" is checked.
    void gorender();
    // The merge of the single file fol.
    void render();
    // The merge of image framen of each dropped file.
    void renderseq();
    // The frame sequence and movie of a drop with "Movie" checked: every frame
    // merged, saved as a TIFF file and added to a movie in a new folder.
    void moviemode();

    Canvas* Canvas1 = nullptr;
    StaticText* StaticText2 = nullptr;  // the status line
    PopupMenu* PopupMenu1 = nullptr;    // channel order
    StaticText* StaticText1 = nullptr;  // the mode label
    PushButton* PushButton1 = nullptr;  // "Done"
    StaticText* StaticText3 = nullptr;  // "Drop file here"
    PushButton* PushButton2 = nullptr;  // "Save"
    PushButton* PushButton3 = nullptr;  // "Open"
    BevelButton* BevelButton1 = nullptr;  // the grey-channel menu
    BevelButton* BevelButton2 = nullptr;  // the omission menu
    CheckBox* CheckBox1 = nullptr;        // "Show"
    GroupBox* GroupBox1 = nullptr;
    CheckBox* CheckBox2 = nullptr;  // "Movie"
    ProgressBar* ProgressBar1 = nullptr;

    std::unique_ptr<BinaryStream> binin;  // the file of the last intake
    FolderItemPtr fol;                    // the file the header was read from
    QString colmode;
    int npics = 0, nx = 0, ny = 0;
    PicturePtr pix;                                    // the grey or merged picture
    std::vector<FolderItemPtr> fola = std::vector<FolderItemPtr>(3);  // the dropped files
    int nfiles = 0;  // index of the last dropped file
    int framen = 0;  // the image read from each dropped file
    std::vector<FolderItemPtr> fseq = std::vector<FolderItemPtr>(11);  // saved frames, from 1

private:
    // Reads the files of an intake; a message and false when they cannot be taken.
    bool ReadFiles(const std::vector<FolderItemPtr>& files, IntakeRead* out);
    // Takes the read stack's stream and header and sizes canvas and window to it.
    void TakeStack(IntakeRead& in);
    void ShowGrey(const PicturePtr& grey);
    // The mode label for a label and the channel order enabled.
    void ShowMode(const QString& mode);

    PicHeader Header() const { return {nx, ny, npics}; }
    // The channel letters the controls choose.
    QString Letters() const;
    // The merges; each returns why it could not run ("" when it did).
    QString MergeStack();
    QString MergeFiles();
    QString MergeImage(int image);
    // Runs a merge under the busy guard. A merge that cannot run leaves the
    // picture and the status line as they were and returns why.
    QString RunMerge(const std::function<MergeResult(const MergeHooks&)>& merge);
    void SetStatus(const QString& text);
    // "Done" with "Movie": the saved frames become the workspace's frame list.
    void HandOverFrames();
    // A merge or an export is running (this window's, or another long pass),
    // a message or dialog is open, or the window is handing its picture or
    // frames over: nothing is taken in meanwhile.
    bool Busy() const;
    // The workspace, reached through its accessor for a hand-over. A workspace
    // that this reach builds loads the launch document as it opens, a PIC file
    // through this window; this window's stack stays the one being handed over.
    Window1* Workspace();
    // pix once it shows the stack in the window; none before any load or
    // while a pass runs.
    PicturePtr CurrentPicture();

    bool merging_ = false;
    bool exporting_ = false;
    bool handingOver_ = false;
    bool exported_ = false;    // an export of the stack in the window was not stopped by it
    bool pixCurrent_ = false;  // pix shows the stack in the window
    bool dragged_ = false;     // the current press has dragged the picture out
    TiffSettings tiffSettings_;
};

}  // namespace qv
