#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <vector>

#include "platform/core/whole_file_writer.h"
#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

class ExportsTest : public test::WorkspaceTest {
protected:
    // Loads a picture of this width through the frame list, as a drop does.
    void Load(int width, int height) {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) img.setPixel(x, y, 0xFF000000u | RGB(x % 200 + 20, y % 200 + 20, 9));
        const QString path = dir.filePath(QStringLiteral("cells.tif"));
        ASSERT_TRUE(QImageWriter(path, "tiff").write(img));
        w->ImageWell1->DropFiles({FolderItem::FromPath(path)});
        ASSERT_TRUE(w->pix);
    }
    // The next picture dialog answers with a PNG file; returns its path.
    QString NextExport(const QString& name) {
        const QString path = dir.filePath(name);
        fake_->picturePaths.push_back(path);
        return path;
    }
    bool SaveScreen() {
        bool handled = false;
        const bool done = w->HandleMenu(QStringLiteral("FileSaveAs"), &handled);
        EXPECT_TRUE(handled);
        return done;
    }
    std::array<QWidget*, 10> Commands() const {
        return {w->Canvas2,      w->BevelButton1, w->BevelButton2, w->BevelButton3,
                w->BevelButton4, w->CheckBox1,    w->ImageWell1,   w->StaticText3,
                w->PushButton1,  w->PushButton6};
    }
    std::vector<bool> CommandsShown() const {
        std::vector<bool> shown;
        for (QWidget* c : Commands()) shown.push_back(ControlVisible(c));
        return shown;
    }
    // The control's rectangle in window pixels.
    QRect Place(QWidget* c) const {
        return QRect(c->mapTo(w->Content(), QPoint(0, 0)), c->size());
    }
    static bool Uniform(const QImage& img, const QRect& r) {
        const QRgb first = img.pixel(r.topLeft());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixel(x, y) != first) return false;
        return true;
    }

    QTemporaryDir dir;
};

TEST_F(ExportsTest, SaveScreenIsAtLeast605HighAndLeavesTheCommandsOut) {
    struct Case {
        int screen, width, shotHeight;
    };
    for (const Case c : {Case{1200, 256, 605}, Case{1200, 1000, 1020}}) {
        fake_->screenHeight = c.screen;
        Load(c.width, 300);
        ASSERT_EQ(w->imgsize, c.width);
        const QString path = NextExport(QStringLiteral("screen%1.png").arg(c.width));
        fake_->clipboardText.clear();
        EXPECT_TRUE(SaveScreen());
        const QImage shot(path);
        ASSERT_FALSE(shot.isNull()) << c.width;
        EXPECT_EQ(shot.width(), w->Width());
        EXPECT_EQ(shot.height(), c.shotHeight);
        EXPECT_EQ(fake_->clipboardText, QStringLiteral("QV screen"));
        EXPECT_EQ(CommandsShown(), std::vector<bool>(10, true));

        // Where each command was, the shot shows only what lies below it: white on
        // the window, the bare group box or tab page elsewhere.
        for (QWidget* gone : Commands()) {
            const QRect r =
                Place(gone).adjusted(2, 2, -2, -2) & QRect(0, 0, shot.width(), shot.height());
            if (r.isEmpty()) continue;  // below the shot
            EXPECT_TRUE(Uniform(shot, r)) << gone->objectName().toStdString() << " " << c.width;
        }
        for (QWidget* onWindow : {static_cast<QWidget*>(w->ImageWell1),
                                  static_cast<QWidget*>(w->PushButton6)})
            EXPECT_EQ(shot.pixel(Place(onWindow).center()), 0xFFFFFFFFu);
        // The image itself is in the shot.
        EXPECT_EQ(shot.pixel(10 + 5, 10 + 7) & 0xFFFFFFu, RGB(25, 27, 9));
    }
}

TEST_F(ExportsTest, SaveScreenOfAShortWindowIsWhiteBelowIt) {
    fake_->screenHeight = 640;
    Load(100, 100);
    ASSERT_EQ(w->Height(), 600);
    const QString path = NextExport(QStringLiteral("short.png"));
    SaveScreen();
    const QImage shot(path);
    ASSERT_EQ(shot.height(), 605);
    EXPECT_TRUE(Uniform(shot, QRect(0, 600, shot.width(), 5)));
    EXPECT_EQ(shot.pixel(0, 600), 0xFFFFFFFFu);
    EXPECT_FALSE(Uniform(shot, QRect(0, 0, shot.width(), 600)));
}

TEST_F(ExportsTest, SaveScreenGivesEachCommandBackItsOwnVisibility) {
    Load(256, 256);
    w->TabPanel1->SetValue(1);  // Background: the thumbnail is hidden
    const std::vector<bool> before = CommandsShown();
    ASSERT_FALSE(before[0]);
    NextExport(QStringLiteral("bg.png"));
    SaveScreen();
    EXPECT_EQ(CommandsShown(), before);

    // A cancelled dialog ends the command silently.
    fake_->picturePaths.clear();
    const int dialogs = fake_->pictureDialogs;
    SaveScreen();
    EXPECT_EQ(fake_->pictureDialogs, dialogs + 1);
    EXPECT_TRUE(fake_->messages.isEmpty());
    EXPECT_EQ(CommandsShown(), before);
}

TEST_F(ExportsTest, SaveExportsTheWorkingPictureUnderItsName) {
    w->PushButton6->click();
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("Colocalization analysis"));
    EXPECT_EQ(fake_->pictureDialogs, 0) << "nothing to export before an image";

    Load(120, 80);
    const QString path = NextExport(QStringLiteral("pix.png"));
    w->PushButton6->click();
    EXPECT_EQ(fake_->clipboardText, QStringLiteral("cells.tif"));
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_TRUE(saved.convertToFormat(QImage::Format_RGB32) == w->pix->Image());
}

// On a full disk each of the three exports leaves an earlier picture of the
// chosen name byte for byte as it was (or no file where there was none), says
// so, and leaves no temporary file beside it.
TEST_F(ExportsTest, AFullDiskLeavesTheEarlierPictureAndSaysSo) {
    Load(120, 80);
    test::Drag(w->Canvas1, {10, 20}, {60, 50});
    bool handled = false;
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"Save", [&] { w->PushButton6->click(); }},
        {"Save Screen", [&] { SaveScreen(); }},
        {"Export ROI", [&] { w->HandleMenu(QStringLiteral("FileExportROI"), &handled); }},
    };
    QImage valid(40, 30, QImage::Format_RGB32);
    valid.fill(qRgb(10, 200, 30));
    QByteArray earlier;
    {
        QBuffer b(&earlier);
        b.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&b, "png").write(valid));
    }
    for (const auto& [name, run] : commands) {
        for (const bool over : {true, false}) {
            SCOPED_TRACE(std::string(name) + (over ? " over a picture" : " as a new file"));
            const QString path = NextExport(QStringLiteral("out.png"));
            QFile::remove(path);
            if (over) {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(earlier);
            }
            fake_->messages.clear();
            {
                ScopedWriteFault full(WriteFault::AfterBytes(100));
                run();
                EXPECT_EQ(full.Struck(), 1);
            }
            ASSERT_EQ(fake_->messages.size(), 1);
            EXPECT_TRUE(fake_->messages[0].startsWith(
                QStringLiteral("The picture could not be written to \"out.png\": ")));
            QFile f(path);
            EXPECT_EQ(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>"),
                      over ? earlier : QByteArray("<missing>"));
            const QStringList left =
                QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            EXPECT_EQ(left.filter(QStringLiteral("out")),
                      over ? QStringList{QStringLiteral("out.png")} : QStringList{});
        }
    }
}

TEST_F(ExportsTest, ExportRoiWritesTheBoxCutFromTheCrop) {
    bool handled = false;
    EXPECT_FALSE(w->HandleMenu(QStringLiteral("FileExportROI"), &handled));
    EXPECT_EQ(fake_->pictureDialogs, 0) << "no crop yet";

    Load(100, 100);
    w->OvalRoi_RB->SetValue(true);
    test::Drag(w->Canvas1, {10, 20}, {60, 50});
    const QString path = NextExport(QStringLiteral("roi.png"));
    EXPECT_FALSE(w->HandleMenu(QStringLiteral("FileExportROI"), &handled));
    const QImage roi = QImage(path).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(roi.size(), QSize(50, 30));
    EXPECT_TRUE(roi == w->poxc->Image().copy(10, 20, 50, 30));
    EXPECT_EQ(roi.pixel(0, 0), 0xFFFFFFFFu) << "white outside the oval";

    // A click gives a box without width: no dialog.
    QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, {30, 30});
    const int dialogs = fake_->pictureDialogs;
    w->HandleMenu(QStringLiteral("FileExportROI"), &handled);
    EXPECT_EQ(fake_->pictureDialogs, dialogs);
}

}  // namespace
}  // namespace qv
