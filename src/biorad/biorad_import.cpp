#include "biorad/biorad_import.h"

#include "biorad/core/pic_intake.h"
#include "platform/longpass.h"
#include "platform/menus.h"
#include "platform/services.h"
#include "platform/text.h"

namespace qv {

namespace {

using K = ControlKind;

constexpr ControlSpec kControls[] = {
    {.kind = K::Canvas, .name = "Canvas1", .left = 25, .top = 0, .width = 255, .height = 215,
     .locks = "", .events = "MouseDown,MouseDrag,Open,DropObject"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 1, .top = 369, .width = 256,
     .height = 19, .text = "Import image", .align = 1, .locks = "B"},
    {.kind = K::PopupMenu, .name = "PopupMenu1", .left = 94, .top = 342, .width = 70,
     .height = 20, .rows = "RGB\nRBG\nGRB\nGBR\nBRG\nBGR", .locks = "B", .events = "Open,Change"},
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
    {.kind = K::GroupBox, .name = "GroupBox1", .left = -8, .top = 272, .width = 187,
     .height = 99, .text = "Advanced", .locks = "B"},
    {.kind = K::CheckBox, .name = "CheckBox2", .left = 16, .top = 313, .width = 71, .height = 20,
     .parent = "GroupBox1", .text = "Movie", .visible = false, .locks = "B", .events = "Action"},
    {.kind = K::ProgressBar, .name = "ProgressBar1", .left = 42, .top = 221, .width = 100,
     .height = 12, .visible = false, .locks = ""},
};

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
    SetSize(303, 391);
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
    Platform().SetClipboardText(Title());
    if (pix) ExportPicture(pix);
    return false;
}

bool Window4::_FileImportBioradPIC_Action() {
    locatefile();
    return false;
}

void Window4::locatefile() {
    if (FolderItemPtr f = GetOpenFolderItem(QStringLiteral("image/biorad"))) Droppedonettan(f);
}

void Window4::Droppedonettan(FolderItemPtr f) {
    if (!f) return;
    SetTitle(f->Name());
    taken.push_back(f);
}

void Window4::PushButton1_Action() {}

void Window4::PushButton2_Action() { _FileSaveAs_Action(); }

void Window4::PushButton3_Action() { locatefile(); }

void Window4::Canvas1_Open() {
    Canvas1->AcceptFileDrop(QStringLiteral("image/biorad"));
    Canvas1->AcceptFileDrop(QStringLiteral("image/any"));
}

bool Window4::Canvas1_MouseDown(int, int) { return true; }

void Window4::Canvas1_MouseDrag(int, int) {}

void Window4::SetStatus(const QString& text) {
    StaticText2->SetText(text);
    StaticText2->repaint();
}

void Window4::Canvas1_DropObject(const std::vector<FolderItemPtr>& files) {
    // A drop that carries no file, or one that arrives while a merge runs,
    // changes nothing.
    if (files.empty() || merging_ || LongPass::Busy()) return;

    // Every file is checked, and a one-image file read, before anything is taken.
    const std::vector<PicSource> sources = Sources(files);
    const IntakeCheck check = CheckDroppedFiles(sources);
    if (!check.problem.isEmpty()) {
        MsgBox(check.problem);
        return;
    }
    const PicHeader h = check.header;
    const PicSource& header = sources[static_cast<std::size_t>(check.order.back())];
    CheckedStream in = OpenChecked(header, &h, header.name);
    if (!in.stream) {
        MsgBox(in.problem);
        return;
    }
    in.stream->SetPosition(kPicPixelStart);
    const bool gray = files.size() == 1 && h.npics == 1;
    PicturePtr grey;
    if (gray) {
        bool noMemory = false;
        grey = PlanePicture(ReadPlane(*in.stream, h.nx, h.ny, &noMemory), PlaneTint::Phase);
        if (!grey) {
            MsgBox(QStringLiteral("The image of \"%1\" cannot be read.").arg(header.name));
            return;
        }
        in.stream->SetPosition(kPicPixelStart);
    }

    Beep();
    SetTitle(files.front()->Name());
    for (std::size_t i = 0; i < files.size(); ++i) {
        nfiles = static_cast<int>(i);
        StaticText3->setVisible(false);
        StaticText2->SetText(QStringLiteral("Hmm..."));
        fola[i] = files[i];
        fol = files[i];
    }
    for (std::size_t i = 0; i < check.order.size(); ++i)
        fola[i] = files[static_cast<std::size_t>(check.order[i])];
    fol = fola[static_cast<std::size_t>(nfiles)];

    binin = std::move(in.stream);
    nx = h.nx;
    ny = h.ny;
    npics = h.npics;
    const ImportSizes s = ImportSizing(nx, ny, Platform().ScreenWidth(), Platform().ScreenHeight());
    Canvas1->resize(s.canvasWidth, s.canvasHeight);
    SetSize(s.windowWidth, s.windowHeight);
    update();

    framen = 0;
    StaticText2->SetText(ProcessingText(h));
    update();
    StaticText2->repaint();

    if (gray) {
        StaticText1->SetText(QStringLiteral("Gray"));
        StaticText1->repaint();
        pix = grey;
        Canvas1->SetBackdrop(pix);
        Canvas1->repaint();
    } else if (!CheckBox2->Value()) {
        StaticText1->SetText(QStringLiteral("Tricolor"));
        StaticText1->repaint();
        PopupMenu1->setEnabled(true);
        gorender();
    } else {
        StaticText1->SetText(QStringLiteral("Movie"));
        StaticText1->repaint();
        PopupMenu1->setEnabled(true);
        moviemode();
    }
    update();
}

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
    if (merging_) return;
    colmode = ChannelLetters(PopupMenu1->Text(), BevelButton1->MenuValue(), BevelButton2->MenuValue());
    if (nx == 0 || CheckBox2->Value()) return;
    if (nfiles == 0) render();
    else renderseq();
}

void Window4::render() {
    if (!fol) return;
    const PicSource source = FileSource(fol->AbsolutePath());
    RunMerge([&](const MergeHooks& hooks) { return RenderStack(source, Header(), colmode, hooks); });
}

void Window4::renderseq() {
    std::vector<FolderItemPtr> files;
    for (int k = 0; k <= nfiles && k < static_cast<int>(fola.size()); ++k) {
        if (!fola[static_cast<std::size_t>(k)]) return;
        files.push_back(fola[static_cast<std::size_t>(k)]);
    }
    const std::vector<PicSource> sources = Sources(files);
    RunMerge([&](const MergeHooks& hooks) {
        return RenderFiles(sources, Header(), framen, colmode, hooks);
    });
}

void Window4::RunMerge(const std::function<MergeResult(const MergeHooks&)>& merge) {
    if (merging_) return;
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
            if (!CheckBox2->Value() || npics <= 0) return;
            ProgressBar1->SetValue(
                ToInt32(ProgressBar1->Value() + (1.0 / npics) * 100.0 * k / (nfiles + 1)));
            ProgressBar1->repaint();
        };
        result = merge(hooks);
        merging_ = false;
    }
    if (!result.pix) {
        SetStatus(statusBefore);
        MsgBox(result.problem);
        return;
    }
    pix = result.pix;
    Canvas1->SetBackdrop(pix);
    Canvas1->repaint();
}

void Window4::moviemode() {}

}  // namespace qv
