#include "biorad/biorad_import.h"

#include <QRect>
#include <QScopedValueRollback>
#include <algorithm>

#include "biorad/core/frame_series.h"
#include "biorad/core/pic_intake.h"
#include "platform/longpass.h"
#include "platform/menus.h"
#include "platform/moviewriter.h"
#include "platform/services.h"
#include "platform/core/text.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 25, .top = 0, .width = 255, .height = 215,
     .locks = "", .events = "MouseDown,MouseDrag,Open,DropObject"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 1, .top = 369, .width = 256,
     .height = 19, .text = "Import image", .align = 1, .locks = "B"},
    {.kind = K::PopupMenu, .name = "PopupMenu1", .left = 94, .top = 342, .width = 70, .height = 20,
     .rows = "RGB\nRBG\nGRB\nGBR\nBRG\nBGR", .locks = "B", .events = "Open,Change"},
    {.kind = K::StaticText, .name = "StaticText1", .left = 14, .top = 342, .width = 68,
     .height = 20, .text = "Mode", .align = 2, .locks = "B"},
    {.kind = K::PushButton, .name = "PushButton1", .left = 214, .top = 342, .width = 69,
     .height = 20, .text = "Done", .locks = "RB", .events = "Action", .isDefault = true},
    {.kind = K::StaticText, .name = "StaticText3", .left = 79, .top = 89, .width = 100,
     .height = 20, .text = "Drop file here", .locks = ""},
    {.kind = K::PushButton, .name = "PushButton2", .left = 214, .top = 313, .width = 69,
     .height = 20, .text = "Save", .locks = "RB", .events = "Action"},
    {.kind = K::PushButton, .name = "PushButton3", .left = 214, .top = 284, .width = 69,
     .height = 20, .text = "Open", .locks = "RB", .events = "Action"},
    {.kind = K::BevelButton, .name = "BevelButton1", .left = 94, .top = 287, .width = 70,
     .height = 22, .visible = false, .locks = "B", .events = "Open,Action"},
    {.kind = K::BevelButton, .name = "BevelButton2", .left = 94, .top = 313, .width = 70,
     .height = 22, .text = "Omit", .visible = false, .locks = "B", .events = "Open,Action"},
    {.kind = K::CheckBox, .name = "CheckBox1", .left = 16, .top = 288, .width = 71, .height = 22,
     .text = "Show", .locks = "B", .events = "Action"},
    {.kind = K::GroupBox, .name = "GroupBox1", .left = -8, .top = 272, .width = 187, .height = 99,
     .text = "Advanced", .locks = "B"},
    {.kind = K::CheckBox, .name = "CheckBox2", .left = 16, .top = 313, .width = 71, .height = 20,
     .parent = "GroupBox1", .text = "Movie", .visible = false, .locks = "B", .events = "Action"},
    {.kind = K::ProgressBar, .name = "ProgressBar1", .left = 42, .top = 221, .width = 100,
     .height = 12, .visible = false, .locks = ""},
};
// clang-format on

constexpr QSize kDesignSize(303, 391);

// The controls under the picture once a stack is in, each as laid out. The
// canvas lies under them all, the hint is gone, the progress bar is placed by
// the export and the status line spans the window; "Show"'s three are counted
// hidden or not, so ticking it never needs a larger window.
std::vector<AnchoredControl> ControlsUnderThePicture() {
    std::vector<AnchoredControl> out;
    for (const ControlSpec& c : kControls) {
        const QLatin1String name(c.name);
        if (name == QLatin1String("Canvas1") || name == QLatin1String("StaticText3") ||
            name == QLatin1String("ProgressBar1") || name == QLatin1String("StaticText2"))
            continue;
        const QLatin1String locks(c.locks);
        out.push_back({.rect = QRect(c.left, c.top, c.width, c.height),
                       .right = locks.contains(QLatin1Char('R')),
                       .bottom = locks.contains(QLatin1Char('B')),
                       .frame = c.kind == K::GroupBox,
                       .clickable = c.kind != K::StaticText});
    }
    return out;
}

// A bevel button's caption and pop-up rows ("Sep" a separator).
void BuildMenu(BevelButton* button, const char* caption, const char* rows) {
    button->SetCaption(QString::fromLatin1(caption));
    button->SetHasMenu(1);
    button->DeleteAllRows();
    button->AddRowsFrom(QString::fromLatin1(rows));
}

std::vector<PicSource> Sources(const std::vector<FolderItemPtr>& files) {
    std::vector<PicSource> sources;
    for (const FolderItemPtr& f : files) sources.push_back(FileSource(f->AbsolutePath()));
    return sources;
}

}  // namespace

Window4::Window4() {
    SetTitle(QStringLiteral("Import Biorad file"));
    SetResizeable(false);
    SetFrameButtons(true, false, false);
    SetSize(kDesignSize.width(), kDesignSize.height());
    BuildControls(kControls, {
                                 QV_HANDLER(Window4, Canvas1_Open),
                                 QV_HANDLER(Window4, Canvas1_DropObject),
                                 QV_HANDLER(Window4, Canvas1_MouseDown),
                                 QV_HANDLER(Window4, Canvas1_MouseDrag),
                                 QV_HANDLER(Window4, PopupMenu1_Open),
                                 QV_HANDLER(Window4, PopupMenu1_Change),
                                 QV_HANDLER(Window4, BevelButton1_Open),
                                 QV_HANDLER(Window4, BevelButton2_Open),
                                 QV_HANDLER(Window4, BevelButton1_Action),
                                 QV_HANDLER(Window4, BevelButton2_Action),
                                 QV_HANDLER(Window4, CheckBox1_Action),
                                 QV_HANDLER(Window4, CheckBox2_Action),
                                 QV_HANDLER(Window4, PushButton1_Action),
                                 QV_HANDLER(Window4, PushButton2_Action),
                                 QV_HANDLER(Window4, PushButton3_Action),
                             });
    QV_CONTROL(Canvas1);
    QV_CONTROL(StaticText2);
    QV_CONTROL(PopupMenu1);
    QV_CONTROL(StaticText1);
    QV_CONTROL(PushButton1);
    QV_CONTROL(StaticText3);
    QV_CONTROL(PushButton2);
    QV_CONTROL(PushButton3);
    QV_CONTROL(BevelButton1);
    QV_CONTROL(BevelButton2);
    QV_CONTROL(CheckBox1);
    QV_CONTROL(GroupBox1);
    QV_CONTROL(CheckBox2);
    QV_CONTROL(ProgressBar1);
    // The hint lies over the canvas; drops and presses on it reach the canvas.
    StaticText3->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(this, &Window::Resized, this, [this] { Event_Resized(); });
    AddMenuHandler(QStringLiteral("FileClose"), [this] { return _FileClose_Action(); });
    AddMenuHandler(QStringLiteral("FileSaveAs"), [this] { return _FileSaveAs_Action(); });
    AddMenuHandler(QStringLiteral("FileImportBioradPIC"),
                   [this] { return _FileImportBioradPIC_Action(); });
}

void Window4::Event_Open() { colmode = QStringLiteral("RGB"); }

void Window4::Event_EnableMenuItems() {
    EnableItem(QStringLiteral("FileClose"));
    EnableItem(QStringLiteral("FileSaveAs"));
    EnableItem(QStringLiteral("FileImportBioradPIC"));
}

void Window4::Event_Resized() {
    if (!StaticText2) return;
    StaticText2->resize(Width(), StaticText2->height());
    StaticText2->repaint();
    update();
}

bool Window4::_FileClose_Action() {
    Close();
    return false;
}

bool Window4::_FileSaveAs_Action() {
    if (!CurrentPicture()) return false;  // nothing loaded yet, or a pass runs
    Platform().SetClipboardText(Title());
    ExportPicture(pix);
    return false;
}

PicturePtr Window4::CurrentPicture() {
    if (nx == 0 || Busy()) return nullptr;
    // A stack taken in with "Movie" checked whose series never started is
    // merged now: the picture handed on always shows the stack of the title.
    if (!pixCurrent_) {
        colmode = Letters();
        if (nfiles == 0) render();
        else renderseq();
    }
    return pixCurrent_ ? pix : nullptr;
}

bool Window4::_FileImportBioradPIC_Action() {
    locatefile();
    return false;
}

bool Window4::Busy() const {
    return merging_ || exporting_ || handingOver_ || LongPass::Busy() || DialogOpen();
}

Window1* Window4::Workspace() {
    const QScopedValueRollback<bool> hold(handingOver_, true);
    return Window1::instance();
}

void Window4::locatefile() {
    if (Busy()) return;
    if (FolderItemPtr f = GetOpenFolderItem(QStringLiteral("image/biorad"))) Droppedonettan(f);
}

void Window4::SetStatus(const QString& text) {
    StaticText2->SetText(text);
    StaticText2->repaint();
}

bool Window4::ReadFiles(const std::vector<FolderItemPtr>& files, IntakeRead* out) {
    *out = ReadIntake(Sources(files));
    if (!out->problem.isEmpty()) MsgBox(out->problem);
    return out->stream != nullptr;
}

void Window4::TakeStack(IntakeRead& in) {
    binin = std::move(in.stream);
    nx = in.header.nx;
    ny = in.header.ny;
    npics = in.header.npics;
    // Saved frames and the picture belong to the stack they were made of.
    exported_ = false;
    pixCurrent_ = false;
    // Never so small that a control lies past an edge or over another. The
    // screen here is the area windows may use, less the desktop's panels.
    static const std::vector<AnchoredControl> under = ControlsUnderThePicture();
    const QRect area = Platform().AvailableArea(FrameRect());
    const ImportSizes s = ImportSizing(nx, ny, area.width(), area.height(),
                                       LeastWindowSize(under, kDesignSize));
    SetSizeOnScreen(s.windowWidth, s.windowHeight);
    // What the desktop's frame takes off the window comes off the canvas too,
    // so the controls below it keep their room.
    Canvas1->resize(s.canvasWidth - (s.windowWidth - Width()),
                    s.canvasHeight - (s.windowHeight - Height()));
    update();
}

void Window4::ShowGrey(const PicturePtr& grey) {
    StaticText1->SetText(QStringLiteral("Gray"));
    StaticText1->repaint();
    pix = grey;
    pixCurrent_ = true;
    Canvas1->SetBackdrop(pix);
    Canvas1->repaint();
}

void Window4::ShowMode(const QString& mode) {
    StaticText1->SetText(mode);
    StaticText1->repaint();
    PopupMenu1->setEnabled(true);
}

bool Window4::Droppedonettan(FolderItemPtr f) {
    if (!f || Busy()) return false;
    // The file is checked as a dropped one is, before anything changes.
    IntakeRead in;
    if (!ReadFiles({f}, &in)) return false;
    SetTitle(f->Name());
    StaticText3->setVisible(false);
    StaticText2->SetText(QStringLiteral("Hmm..."));
    // The single current file; the dropped files and framen stay.
    fol = f;
    nfiles = 0;
    TakeStack(in);
    pix = NewPicture(nx, ny, 32);
    SetStatus(ProcessingText(in.header));
    binin->SetPosition(kPicPixelStart);
    if (npics == 1) {
        ShowGrey(in.grey);
        return true;
    }
    ShowMode(QStringLiteral("Tricolor"));
    // Merged also while "Movie" is checked, so that the canvas and the picture
    // show this stack: the frame series starts only from a drop.
    colmode = Letters();
    render();
    return true;
}

void Window4::PushButton1_Action() {
    if (nx == 0 || Busy()) return;  // nothing loaded yet, or a pass runs
    if (CheckBox2->Value()) {
        HandOverFrames();
        return;
    }
    if (!CurrentPicture()) return;
    Window1* workspace = Workspace();
    workspace->import(pix);
    workspace->SetTitle(Title());
}

void Window4::HandOverFrames() {
    if (!exported_) {
        MsgBox(NoSeriesToHandOver());
        return;
    }
    const std::vector<FolderItemPtr> frames = SavedFrames(fseq, npics);
    if (frames.empty()) {
        MsgBox(NoFramesSaved());
        return;
    }
    Window1* workspace = Workspace();
    workspace->Show();
    workspace->TakeFrameList(frames, {.alwaysShown = true, .withFlatten = false});
}

void Window4::PushButton2_Action() { _FileSaveAs_Action(); }

void Window4::PushButton3_Action() { locatefile(); }

void Window4::Canvas1_Open() {
    Canvas1->AcceptFileDrop(QStringLiteral("image/biorad"));
    Canvas1->AcceptFileDrop(QStringLiteral("image/any"));
}

bool Window4::Canvas1_MouseDown(int, int) {
    dragged_ = false;
    return true;
}

void Window4::Canvas1_MouseDrag(int, int) {
    // One drag per press: the drag takes the release, so the canvas keeps
    // reporting moves as drags until the next press.
    if (dragged_ || !CurrentPicture()) return;
    dragged_ = true;
    Platform().DragPicture(Canvas1, QRect(0, 0, Canvas1->width(), Canvas1->height()), pix, Title());
}

void Window4::Canvas1_DropObject(const std::vector<FolderItemPtr>& files) {
    // A drop that carries no file, or one that arrives while a merge or an
    // export runs or a message or dialog is open, changes nothing.
    if (files.empty() || Busy()) return;

    // Every file is checked, and a one-image file read, before anything is taken.
    IntakeRead in;
    if (!ReadFiles(files, &in)) return;

    Beep();
    SetTitle(files.front()->Name());
    for (std::size_t i = 0; i < files.size(); ++i) {
        nfiles = static_cast<int>(i);
        StaticText3->setVisible(false);
        StaticText2->SetText(QStringLiteral("Hmm..."));
        fola[i] = files[i];
        fol = files[i];
    }
    for (std::size_t i = 0; i < in.order.size(); ++i)
        fola[i] = files[static_cast<std::size_t>(in.order[i])];
    fol = fola[static_cast<std::size_t>(nfiles)];

    TakeStack(in);
    framen = 0;
    StaticText2->SetText(ProcessingText(in.header));
    update();
    StaticText2->repaint();

    if (in.grey) {
        ShowGrey(in.grey);
    } else if (!CheckBox2->Value()) {
        ShowMode(QStringLiteral("Tricolor"));
        gorender();
    } else {
        ShowMode(QStringLiteral("Movie"));
        moviemode();
    }
    update();
}

// The channel-order menu needs no set-up: its rows and first choice are laid out.
void Window4::PopupMenu1_Open() {}

void Window4::PopupMenu1_Change() { gorender(); }

void Window4::BevelButton1_Open() { BuildMenu(BevelButton1, "Phase", kGreyMenuRows); }

void Window4::BevelButton2_Open() { BuildMenu(BevelButton2, "Omit", kOmitMenuRows); }

void Window4::BevelButton1_Action() {
    BevelButton1->SetCaption(BevelButton1->Rows().value(BevelButton1->MenuValue()));
    gorender();
}

void Window4::BevelButton2_Action() {
    BevelButton2->SetCaption(BevelButton2->Rows().value(BevelButton2->MenuValue()));
    gorender();
}

void Window4::CheckBox1_Action() {
    if (CheckBox1->Value()) {
        BevelButton1->setVisible(true);
        BevelButton2->setVisible(true);
        CheckBox2->setVisible(true);
        return;
    }
    BevelButton1->setVisible(false);
    BevelButton2->setVisible(false);
    BevelButton1->SetMenuValue(0);
    BevelButton2->SetMenuValue(0);
    CheckBox2->setVisible(false);
    bool reset = false;
    if (BevelButton1->Caption() != QLatin1String("Phase")) {
        BevelButton1->SetCaption(QStringLiteral("Phase"));
        reset = true;
    }
    if (BevelButton2->Caption() != QLatin1String("Omit")) {
        BevelButton2->SetCaption(QStringLiteral("Omit"));
        reset = true;
    }
    if (reset) gorender();
}

void Window4::CheckBox2_Action() {
    framen = 0;
    if (!CheckBox2->Value()) Canvas1->setVisible(true);
}

void Window4::gorender() {
    if (merging_ || exporting_) return;
    colmode = Letters();
    if (nx == 0 || CheckBox2->Value()) return;
    if (nfiles == 0) render();
    else renderseq();
}

QString Window4::Letters() const {
    return ChannelLetters(PopupMenu1->Text(), BevelButton1->MenuValue(), BevelButton2->MenuValue());
}

void Window4::render() {
    const QString problem = MergeStack();
    if (!problem.isEmpty()) MsgBox(problem);
}

void Window4::renderseq() {
    const QString problem = MergeFiles();
    if (!problem.isEmpty()) MsgBox(problem);
}

QString Window4::MergeStack() {
    if (!fol) return QString();
    const PicSource source = FileSource(fol->AbsolutePath());
    return RunMerge([&](const MergeHooks& hooks) { return RenderStack(source, Header(), colmode, hooks); });
}

QString Window4::MergeImage(int image) {
    if (!fol) return QString();
    const PicSource source = FileSource(fol->AbsolutePath());
    return RunMerge([&](const MergeHooks& hooks) { return RenderImage(source, Header(), image, hooks); });
}

QString Window4::MergeFiles() {
    std::vector<FolderItemPtr> files;
    for (int k = 0; k <= nfiles && k < static_cast<int>(fola.size()); ++k) {
        if (!fola[static_cast<std::size_t>(k)]) return QString();
        files.push_back(fola[static_cast<std::size_t>(k)]);
    }
    const std::vector<PicSource> sources = Sources(files);
    return RunMerge([&](const MergeHooks& hooks) {
        return RenderFiles(sources, Header(), framen, colmode, hooks);
    });
}

QString Window4::RunMerge(const std::function<MergeResult(const MergeHooks&)>& merge) {
    if (merging_) return QString();
    const QString statusBefore = StaticText2->Text();
    MergeResult result;
    {
        LongPass pass;
        merging_ = true;
        update();
        StaticText2->repaint();
        if (binin) binin->Close();
        binin.reset();
        MergeHooks hooks;
        hooks.status = [this](const QString& text) { SetStatus(text); };
        hooks.keepAlive = [&pass] { pass.KeepAlive(); };
        hooks.beforeFile = [this](int k) {
            if (!CheckBox2->Value()) return;
            ProgressBar1->SetValue(InFrameProgress(ProgressBar1->Value(), npics, k, nfiles + 1));
            ProgressBar1->repaint();
        };
        result = merge(hooks);
        merging_ = false;
    }
    if (!result.pix) {
        SetStatus(statusBefore);
        return result.problem;
    }
    pix = result.pix;
    pixCurrent_ = true;
    Canvas1->SetBackdrop(pix);
    Canvas1->repaint();
    return QString();
}

namespace {

// The series' movie, written by the platform's movie writer.
class SeriesMovieFile final : public SeriesMovie {
public:
    bool Open(const QString& path, int width, int height, double frameRate) override {
        return writer_.Open(path, width, height, frameRate);
    }
    bool AppendPicture(const PicturePtr& picture) override {
        return writer_.AppendPicture(picture);
    }
    bool Finish() override { return writer_.Finish(); }
    QString ErrorText() const override { return writer_.ErrorText(); }

private:
    MovieWriter writer_;
};

}  // namespace

void Window4::moviemode() {
    if (Busy()) return;
    // A fresh list: no frame of an earlier export is ever handed over.
    exported_ = false;
    fseq.assign(static_cast<std::size_t>(std::max(npics, 0)) + 1, nullptr);
    framen = 0;
    const FolderItemPtr folder = GetSaveFolderItem(QString(), QStringLiteral("Seq"));
    if (!folder) return;
    SeriesMovieFile movie;
    const QString problem = StartSeries(folder, movie, nx, ny);
    if (!problem.isEmpty()) {
        MsgBox(problem);
        return;
    }
    // Whatever the user answers, the export goes on.
    tiffSettings_ = RequestTiffSettings(tiffSettings_);

    SetControlLeft(ProgressBar1, ControlLeft(GroupBox1) + GroupBox1->width() + 5);
    // Under the canvas, but never below the window's bottom edge: for a stack
    // that fits the screen the canvas is as tall as the window, and a bar
    // placed under it would never be seen.
    SetControlTop(ProgressBar1, std::min(ControlTop(Canvas1) + Canvas1->height() + 10,
                                         Height() - ProgressBar1->height()));
    ProgressBar1->resize(
        std::max(0, Canvas1->width() - PushButton1->width() - GroupBox1->width() - 10),
        ProgressBar1->height());
    ProgressBar1->setMaximum(100);
    ProgressBar1->SetValue(0);
    ProgressBar1->setVisible(true);

    SeriesOutcome outcome;
    {
        LongPass pass;
        exporting_ = true;
        SeriesSteps steps;
        steps.makeFrame = [this](int i, QString* why) -> PicturePtr {
            *why = nfiles > 0 ? MergeFiles() : MergeImage(i - 1);
            return why->isEmpty() ? pix : nullptr;
        };
        steps.saveFrame = [this](const PicturePtr& frame, const FolderItemPtr& file) {
            return Platform().WriteTiff(frame, file, tiffSettings_);
        };
        steps.beep = [] { Beep(); };
        steps.frameDone = [this](int, int progress) {
            ProgressBar1->SetValue(progress);
            ProgressBar1->repaint();
            ++framen;
        };
        steps.keepAlive = [&pass] { pass.KeepAlive(); };
        outcome = RunSeries(folder, npics, movie, steps, fseq);
        exporting_ = false;
    }
    ProgressBar1->setVisible(false);
    // Frames are handed over from a series that was not stopped by its
    // stack: those saved whole, also when the movie could not be written.
    exported_ = outcome.stop.isEmpty();
    MsgBox(SeriesMessage(outcome));
}

}  // namespace qv
