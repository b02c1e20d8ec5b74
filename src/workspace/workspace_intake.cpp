// Image intake: File > Open, pictures handed over by other windows, the current
// frame of the frame list, the demo image, and the layout that follows them.
#include <QDir>
#include <QFileInfo>

#include "app/resources.h"
#include "biorad/biorad_import.h"
#include "platform/services.h"
#include "workspace/core/intake_messages.h"
#include "workspace/workspace_window.h"
#include "workspace/working_size.h"

namespace qv {

namespace {

const QString kDrawRoi = QStringLiteral("Draw a ROI or choose Background handling");

}  // namespace

WorkingSize Window1::WorkingSizeHere(int pictureWidth, Intake intake) const {
    const QRect area = Platform().AvailableArea(FrameRect());
    return WorkingSizeFor(pictureWidth, area.size(), Chrome(), intake);
}

void Window1::ApplyWorkingSize(int pictureWidth, Intake intake) {
    const WorkingSize size = WorkingSizeHere(pictureWidth, intake);
    imgsize = size.imgsize;
    can2size = size.can2size;
}

bool Window1::_FileOpen_Action() {
    FolderItemPtr f = GetOpenFolderItem(QStringLiteral("image/any"));
    if (!f) return false;
    if (f->NotAFile()) {
        MsgBox(NotARegularFile(f->Name()));
        return false;
    }
    QString problem;
    PicturePtr p = f->OpenAsPicture(&problem);
    // Not a picture: everything stays as it was; one too large to hold says so.
    if (!p) {
        if (!problem.isEmpty()) MsgBox(problem);
        return false;
    }
    ApplyWorkingSize(p->Width(), Intake::FileOpen);
    pix = p;
    originalpix = p;
    makeview();
    Canvas1->SetBackdrop(PixSquare());
    StaticText3->SetText(kDrawRoi);
    return false;
}

void Window1::import(PicturePtr p) {
    Show();
    // A missing picture changes nothing: "Revert to original" keeps its source.
    if (!p) return;
    originalpix = p;
    ApplyWorkingSize(p->Width(), Intake::Import);
    PicturePtr scaled = NewPicture(imgsize, imgsize, 32);
    if (!scaled) return;
    scaled->Graphics().DrawPicture(p, 0, 0, imgsize, imgsize, 0, 0, p->Width(), p->Height());
    pix = scaled;
    Canvas1->SetBackdrop(PixSquare());
    makeview();
    update();
    StaticText3->SetText(kDrawRoi);
}

Window1::WorkingImage Window1::workingImage() const {
    return {pix, originalpix, imgsize, can2size};
}

void Window1::restoreImage(const WorkingImage& image) {
    Show();
    // A working image without a picture (taken from a workspace that held
    // none) changes nothing, as a missing picture handed to import does.
    if (!image.pix) return;
    pix = image.pix;
    originalpix = image.originalpix;
    imgsize = image.imgsize;
    can2size = image.can2size;
    if (imgsize > 0) makeview();
    // Shown as a picture taken in: without the outline of any ROI.
    Canvas1->SetBackdrop(PixSquare());
    update();
    StaticText3->SetText(kDrawRoi);
}

void Window1::afterdrop() {
    if (actualframe < 0 || actualframe >= static_cast<int>(fola.size())) return;
    FolderItemPtr f = fola[static_cast<size_t>(actualframe)];
    if (!f) return;  // an empty frame slot: nothing to load
    if (f->Type() == QLatin1String("image/biorad")) {
        StaticText3->SetText(QStringLiteral("Preparing to convert Biorad file.\rPlease wait..."));
        StaticText3->repaint();
        Window4* importer = Window4::instance();
        importer->Show();
        // The title names the sample of every export: a refused file is none.
        if (importer->Droppedonettan(f)) SetTitle(f->Name());
        StaticText3->SetText(QStringLiteral("Biorad file import"));
        StaticText3->repaint();
        return;
    }
    if (f->NotAFile()) {
        MsgBox(NotARegularFile(f->Name()));
        return;
    }
    QString problem;
    PicturePtr p = f->OpenAsPicture(&problem);
    // The title is the sample name of every export: it names the new file only
    // once that file has opened.
    if (!p) {
        if (!problem.isEmpty()) MsgBox(problem);
        return;
    }
    SetTitle(f->Name());
    ApplyWorkingSize(p->Width(), Intake::AfterDrop);
    pix = p;
    originalpix = p;
    makeview();
    Canvas1->SetBackdrop(PixSquare());
    Canvas1->repaint();
    StaticText3->SetText(kDrawRoi);
    if (newstart) {
        newstart = false;
        return;
    }
    rensa = 4;
    rita3();
}

void Window1::opendemo() {
    const QByteArray bytes = demo();
    // The demo image opens from a file in the temporary folder.
    FolderItemPtr t = GetTemporaryFolderItem();
    QString reason = QStringLiteral("no folder of the program's own could be made there");
    if (!t || !t->WriteBytes(bytes, &reason)) {
        const QString folder = t ? QFileInfo(t->AbsolutePath()).absolutePath() : QDir::tempPath();
        MsgBox(DemoNotWritten(folder, reason));
        return;
    }
    PicturePtr q = t->OpenAsPicture();
    if (!q) return;  // the demo bytes did not decode
    PicturePtr p = NewPicture(q->Width(), q->Height(), 32);
    if (!p) return;
    p->Graphics().DrawPicture(q, 0, 0);
    ApplyWorkingSize(p->Width(), Intake::OpenDemo);
    PicturePtr scaled = NewPicture(imgsize, imgsize, 32);
    if (!scaled) return;
    scaled->Graphics().DrawPicture(p, 0, 0, imgsize, imgsize, 0, 0, p->Width(), p->Height());
    pix = scaled;
    originalpix = pix;
    makeview();
    Canvas1->SetBackdrop(PixSquare());
    StaticText3->SetText(kDrawRoi);
    fola[0] = t;
}

void Window1::makeview() {
    // The working size already fits the window to the area; a working area
    // kept from another screen is shown in what fits of it.
    SetSizeOnScreen(WorkspaceWidthFor(imgsize), WorkingSizeHere(0, Intake::Import).height);
    update();
    Canvas1->resize(imgsize, imgsize);
    Canvas2->resize(can2size, can2size);
    SetControlLeft(Canvas2, static_cast<int>(ControlLeft(Canvas1) + (imgsize - can2size) / 2.0));
    SetControlTop(Canvas2, imgsize + 20);
    SetControlLeft(Canvas3, Width() - 256 - 10);
    update();
    const int c3 = ControlLeft(Canvas3);
    SetControlLeft(staticText1, c3 - 31);
    SetControlLeft(StaticText7, c3 - 31);
    SetControlLeft(StaticText2, static_cast<int>(c3 + Canvas3->width() / 2.0));
    SetControlLeft(StaticText5, c3 + 30);
    update();
}

}  // namespace qv
