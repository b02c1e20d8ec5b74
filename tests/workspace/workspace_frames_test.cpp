#include <gtest/gtest.h>

#include <QImageWriter>
#include <QTemporaryDir>
#include <vector>

#include "platform/core/picture_reader.h"
#include "platform/longpass.h"
#include "support/png_bytes.h"
#include "support/workspace_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

constexpr Color kYellow = RGB(255, 255, 0);

class FramesTest : public test::WorkspaceTest {
protected:
    // A TIFF file whose every pixel is `colour(x, y)`.
    template <class F>
    FolderItemPtr Tiff(const QString& name, int width, int height, F colour) {
        QImage img(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) img.setPixel(x, y, 0xFF000000u | colour(x, y));
        const QString path = dir.filePath(name);
        QImageWriter writer(path, "tiff");
        EXPECT_TRUE(writer.write(img)) << writer.errorString().toStdString();
        return FolderItem::FromPath(path);
    }
    FolderItemPtr Plain(const QString& name, int width, int height, Color c) {
        return Tiff(name, width, height, [c](int, int) { return c; });
    }
    FolderItemPtr Broken(const QString& name) {
        const FolderItemPtr f = FolderItem::FromPath(dir.filePath(name));
        EXPECT_TRUE(f->WriteBytes("not a picture"));
        return f;
    }
    // Frame i (from 0) of a list: red 20 + 10 i, green 3 + x, blue 7.
    std::vector<FolderItemPtr> Series(int n, int side = 64) {
        std::vector<FolderItemPtr> files;
        for (int i = 0; i < n; ++i)
            files.push_back(Tiff(QStringLiteral("frame%1.tif").arg(i + 1, 2, 10, QLatin1Char('0')),
                                 side, side, [i](int x, int) { return RGB(20 + 10 * i, 3 + x, 7); }));
        return files;
    }
    void Drop(const std::vector<FolderItemPtr>& files) { w->ImageWell1->DropFiles(files); }
    std::vector<bool> FrameControlsShown() const {
        return {ControlVisible(w->Slider1), ControlVisible(w->StaticText4),
                ControlVisible(w->LittleArrows1), ControlVisible(w->PushButton10)};
    }
    bool Menu(const char* item) {
        bool handled = false;
        const bool done = w->HandleMenu(QString::fromUtf8(item), &handled);
        EXPECT_TRUE(handled) << item;
        return done;
    }
    static Color At(const PicturePtr& p, int x, int y) { return p->RGBSurface()->Pixel(x, y); }

    QTemporaryDir dir;
};

TEST_F(FramesTest, TwelveFramesFollowOneRoiBySliderArrowsAndMenu) {
    Drop(Series(12));
    EXPECT_EQ(FrameControlsShown(), std::vector<bool>(4, true));
    EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("1/12"));
    EXPECT_EQ(w->Slider1->Maximum(), 12);
    EXPECT_EQ(w->Slider1->Value(), 1);
    EXPECT_EQ(w->nbilds, 11);
    EXPECT_EQ(w->actualframe, 0);
    EXPECT_FALSE(w->newstart) << "the load of frame 0 consumed it";
    EXPECT_EQ(w->Title(), QStringLiteral("frame01.tif"));

    w->colorModemenu->SetListIndex(1);  // "rb": x blue, y red
    test::Drag(w->Canvas1, {10, 10}, {40, 30});
    ASSERT_TRUE(w->poxc);
    EXPECT_EQ(w->Hits().At(7, 255 - 20), 29u * 19u) << "the interior of the box, frame 1";

    w->Slider1->SetValue(3);
    EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("3/12"));
    EXPECT_EQ(w->actualframe, 2);
    EXPECT_EQ(w->Title(), QStringLiteral("frame03.tif"));
    EXPECT_EQ(At(w->pix, 0, 0), RGB(40, 3, 7));
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 10, 20), kYellow) << "the same ROI drawn on frame 3";
    EXPECT_EQ(At(w->poxc, 20, 20), RGB(40, 23, 7)) << "and cropped from it";
    EXPECT_EQ(At(w->poxc, 10, 20), kWhite);
    EXPECT_EQ(w->colormode, QStringLiteral("rb"));
    EXPECT_EQ(w->Hits().At(7, 255 - 40), 29u * 19u) << "the fluorogram of frame 3";
    EXPECT_EQ(w->Hits().At(7, 255 - 20), 0u);

    struct Step {
        const char* how;
        int from, to;
    };
    const Step steps[] = {{"arrow up", 3, 4},      {"arrow down", 3, 2},     {"next", 3, 4},
                          {"previous", 3, 2},      {"arrow up", 12, 12},     {"next", 12, 12},
                          {"arrow down", 1, 1},    {"previous", 1, 1}};
    for (const Step& s : steps) {
        w->Slider1->SetValue(s.from);
        const std::string how = s.how;
        if (how == "arrow up") QTest::mouseClick(w->LittleArrows1->UpButton(), Qt::LeftButton);
        if (how == "arrow down") QTest::mouseClick(w->LittleArrows1->DownButton(), Qt::LeftButton);
        if (how == "next") {
            EXPECT_FALSE(Menu("FormatNextframe"));
        }
        if (how == "previous") {
            EXPECT_FALSE(Menu("FormatPreviousframe"));
        }
        EXPECT_EQ(w->actualframe, s.to - 1) << s.how << " from " << s.from;
        EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("%1/12").arg(s.to)) << s.how;
        EXPECT_EQ(w->Title(), QStringLiteral("frame%1.tif").arg(s.to, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(At(w->pix, 0, 0), RGB(10 + 10 * s.to, 3, 7)) << s.how << " from " << s.from;
    }
    EXPECT_EQ(fake_->beeps, 0) << "steps past either end are clamped silently";

    // One file after the list: the controls go, the old ROI is not drawn on it.
    w->Slider1->SetValue(5);
    const PicturePtr crop = w->poxc;
    const PicturePtr counts = w->pox2;
    Drop({Plain(QStringLiteral("single.tif"), 64, 64, RGB(90, 90, 90))});
    EXPECT_EQ(FrameControlsShown(), std::vector<bool>(4, false));
    EXPECT_EQ(w->Title(), QStringLiteral("single.tif"));
    EXPECT_EQ(At(w->pix, 5, 5), RGB(90, 90, 90));
    EXPECT_EQ(w->poxc, crop);
    EXPECT_EQ(w->pox2, counts);
    EXPECT_EQ(At(w->Canvas1->Backdrop(), 10, 20), RGB(90, 90, 90)) << "no outline";
    EXPECT_EQ(w->Slider1->Maximum(), 1);
    EXPECT_EQ(w->nbilds, 0);
    EXPECT_EQ(w->actualframe, 0);
}

TEST_F(FramesTest, ANewListShowsItsFirstFrameWithTheRoiWhereverTheSliderStood) {
    // Frame i of the second list: red 150 + i, green 3 + x, blue 9.
    std::vector<FolderItemPtr> second;
    for (int i = 0; i < 5; ++i)
        second.push_back(Tiff(QStringLiteral("second%1.tif").arg(i + 1), 64, 64,
                              [i](int x, int) { return RGB(150 + i, 3 + x, 9); }));
    for (int from : {1, 3}) {
        SCOPED_TRACE(from);
        Drop(Series(12));
        test::Drag(w->Canvas1, {10, 10}, {40, 30});
        w->Slider1->SetValue(from);
        ASSERT_EQ(w->Hits().At(23, 255 - (10 + 10 * from)), 19u) << "the ROI on the first list";

        Drop(second);
        EXPECT_EQ(w->Title(), QStringLiteral("second1.tif"));
        EXPECT_EQ(w->actualframe, 0);
        EXPECT_EQ(w->Slider1->Value(), 1);
        EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("1/5"));
        EXPECT_FALSE(w->newstart);
        EXPECT_EQ(At(w->Canvas1->Backdrop(), 10, 20), kYellow) << "the ROI drawn on frame 0";
        EXPECT_EQ(At(w->poxc, 20, 20), RGB(150, 23, 9)) << "and cropped from it";
        EXPECT_EQ(At(w->Canvas2->Backdrop(), 20, 20), RGB(150, 23, 9)) << "the thumbnail";
        EXPECT_EQ(w->Hits().At(23, 255 - 150), 19u) << "the fluorogram of frame 0";
        EXPECT_EQ(w->Hits().At(23, 255 - (10 + 10 * from)), 0u);
    }
}

TEST_F(FramesTest, AListKeepsItsFirst81FilesAndSaysSo) {
    std::vector<FolderItemPtr> files;
    for (int i = 0; i < 83; ++i)
        files.push_back(Plain(QStringLiteral("f%1.tif").arg(i), 4, 4, RGB(i + 1, 0, 0)));
    QString titleAtMessage;
    fake_->onMessage = [&](const QString&) { titleAtMessage = w->Title(); };
    Drop(files);
    EXPECT_EQ(fake_->messages, QStringList{"Only the first 81 of the 83 frames were taken: a frame "
                                           "list holds at most 81 frames."});
    EXPECT_EQ(titleAtMessage, QStringLiteral("f0.tif")) << "told once frame 0 is shown";
    EXPECT_EQ(fake_->beeps, 0);
    EXPECT_EQ(w->nbilds, 80);
    EXPECT_EQ(w->fola.size(), 81u);
    EXPECT_EQ(w->fola[80]->Name(), QStringLiteral("f80.tif"));
    EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("1/81"));
    EXPECT_EQ(w->Slider1->Maximum(), 81);
    w->Slider1->SetValue(81);
    EXPECT_EQ(At(w->pix, 0, 0), RGB(81, 0, 0));

    fake_->messages.clear();
    files.resize(81);
    Drop(files);
    EXPECT_TRUE(fake_->messages.isEmpty()) << "81 files fit";
    EXPECT_EQ(w->nbilds, 80);
}

TEST_F(FramesTest, AFrameListShowsItsControlsByTheRuleItIsTakenWith) {
    using Rule = Window1::FrameControlsRule;
    const Rule drop{.alwaysShown = false, .withFlatten = true};
    const Rule saved{.alwaysShown = true, .withFlatten = false};
    struct Case {
        const char* what;
        Rule rule;
        int files;
        bool flattenBefore;
        std::vector<bool> shown;  // slider, counter, arrows, "Flatten"
    };
    const Case cases[] = {
        {"dropped, one file", drop, 1, true, {false, false, false, false}},
        {"dropped, three files", drop, 3, false, {true, true, true, true}},
        {"saved frames, one", saved, 1, false, {true, true, true, false}},
        {"saved frames, one, Flatten shown before", saved, 1, true, {true, true, true, true}},
        {"saved frames, three", saved, 3, false, {true, true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (QWidget* control : {static_cast<QWidget*>(w->Slider1), static_cast<QWidget*>(w->StaticText4),
                                 static_cast<QWidget*>(w->LittleArrows1)})
            control->setVisible(false);
        w->PushButton10->setVisible(c.flattenBefore);
        w->TakeFrameList(Series(c.files), c.rule);
        EXPECT_EQ(FrameControlsShown(), c.shown);
        EXPECT_EQ(w->nbilds, c.files - 1);
        EXPECT_EQ(w->actualframe, 0);
        EXPECT_EQ(w->Slider1->Maximum(), c.files);
        EXPECT_EQ(w->Title(), QStringLiteral("frame01.tif"));
        EXPECT_FALSE(w->newstart) << "the load of frame 0 took it";
        if (c.shown[0]) {
            EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("1/%1").arg(c.files));
        }
    }
}

TEST_F(FramesTest, FlattenAddsTheFramesAndReCropsTheRoi) {
    Drop({Plain(QStringLiteral("a.tif"), 4, 4, RGB(100, 50, 0)),
          Plain(QStringLiteral("b.tif"), 4, 4, RGB(100, 50, 0)),
          Plain(QStringLiteral("c.tif"), 4, 4, RGB(100, 50, 0))});
    const PicturePtr original = w->originalpix;
    w->PushButton1->click();  // Select all
    ASSERT_TRUE(w->poxc);
    w->PushButton10->click();
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->pix->Width(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(At(w->pix, x, y), RGB(255, 150, 0)) << x << "," << y;
    EXPECT_EQ(w->originalpix, original);
    EXPECT_EQ(At(w->originalpix, 1, 1), RGB(100, 50, 0)) << "Revert still returns to the frame";
    EXPECT_EQ(At(w->poxc, 1, 1), RGB(255, 150, 0)) << "the ROI cropped from the sum";
    EXPECT_EQ(w->rensa, 0);
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a ROI or choose Background handling"));
    EXPECT_EQ(w->Title(), QStringLiteral("a.tif"));
    EXPECT_EQ(w->StaticText4->Text(), QStringLiteral("1/3"));
    EXPECT_TRUE(fake_->messages.isEmpty());

    // Cancelled at the first poll: column 0 of the second frame is in, nothing more.
    w->Slider1->SetValue(2);
    w->Slider1->SetValue(1);
    SimulateCancelAtPoll(1);
    w->PushButton10->click();
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(At(w->pix, 0, y), RGB(200, 100, 0));
        for (int x = 1; x < 4; ++x) EXPECT_EQ(At(w->pix, x, y), RGB(100, 50, 0));
    }
    EXPECT_TRUE(fake_->messages.isEmpty()) << "a cancel says nothing";
    EXPECT_EQ(w->StaticText3->Text(), QStringLiteral("Draw a ROI or choose Background handling"));
}

TEST_F(FramesTest, FlattenStaysInsideTheSquareSkipsBadFramesAndShowsACopy) {
    // 6 wide, 9 high: the working area is 6 x 6; pix is the 6 x 9 frame until the merge.
    auto frame = [](int x, int y) { return RGB(10 * x + 1, 10 * y + 1, 5); };
    Drop({Broken(QStringLiteral("bad1.tif")), Tiff(QStringLiteral("t1.tif"), 6, 9, frame),
          Broken(QStringLiteral("bad2.tif")), Tiff(QStringLiteral("t2.tif"), 6, 9, frame)});
    ASSERT_FALSE(w->pix) << "the first frame does not decode";
    w->Slider1->SetValue(2);
    ASSERT_TRUE(w->pix);
    EXPECT_EQ(w->imgsize, 6);
    EXPECT_EQ(w->pix->Height(), 9);
    const PicturePtr original = w->originalpix;

    w->PushButton10->click();
    ASSERT_EQ(w->pix->Width(), 6);
    ASSERT_EQ(w->pix->Height(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(At(w->pix, x, y), RGB(20 * x + 2, 20 * y + 2, 10)) << x << "," << y;
    EXPECT_EQ(w->originalpix, original);
    EXPECT_EQ(original->Height(), 9);

    const PicturePtr shown = w->Canvas1->Backdrop();
    ASSERT_TRUE(shown);
    EXPECT_NE(shown, w->pix);
    shown->RGBSurface()->SetPixel(2, 2, kBlack);
    EXPECT_EQ(At(w->pix, 2, 2), RGB(42, 42, 10)) << "drawing on the canvas leaves pix";

    // None of the frames decoding: nothing changes.
    Drop({Broken(QStringLiteral("bad3.tif")), Broken(QStringLiteral("bad4.tif"))});
    const PicturePtr before = w->pix;
    const QString status = w->StaticText3->Text();
    w->PushButton10->click();
    EXPECT_EQ(w->pix, before);
    EXPECT_EQ(w->StaticText3->Text(), status);
}

// A frame whose header claims more pixels than the program holds is refused
// with a message where it is dropped and where Flatten meets it; Flatten adds
// the others and says so once.
TEST_F(FramesTest, AFrameTooLargeToHoldIsNamedWhenDroppedAndWhenFlattened) {
    // The well takes the image types by name; the reader tells PNG by content.
    const FolderItemPtr huge = FolderItem::FromPath(dir.filePath(QStringLiteral("huge.tif")));
    ASSERT_TRUE(huge->WriteBytes(test::ClaimingPng(70000, 70000)));
    const QString tooLarge = PictureTooLarge(QStringLiteral("huge.tif"), QSize(70000, 70000));
    Drop({huge});
    EXPECT_EQ(fake_->messages, QStringList{tooLarge});
    EXPECT_FALSE(w->pix);
    EXPECT_NE(w->Title(), QStringLiteral("huge.tif"));

    fake_->messages.clear();
    Drop({Plain(QStringLiteral("a.tif"), 8, 8, RGB(10, 20, 30)), huge, huge,
          Plain(QStringLiteral("b.tif"), 8, 8, RGB(1, 2, 3))});
    ASSERT_TRUE(w->pix);
    EXPECT_TRUE(fake_->messages.isEmpty());
    w->PushButton10->click();
    EXPECT_EQ(fake_->messages, QStringList{tooLarge}) << "one message for the merge";
    EXPECT_EQ(At(w->pix, 4, 4), RGB(11, 22, 33));
}

TEST_F(FramesTest, FlattenWithoutAPictureDoesNothing) {
    w->PushButton10_Action();
    EXPECT_FALSE(w->pix);
    EXPECT_TRUE(fake_->messages.isEmpty());
}

TEST_F(FramesTest, TheOvalRoiBoxIsDraggedOutOfTheThumbnail) {
    QTest::mousePress(w->Canvas2, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(fake_->drags.empty()) << "no crop yet";

    Drop({Tiff(QStringLiteral("g.tif"), 100, 100, [](int x, int y) { return RGB(x + 3, y + 3, 7); })});
    w->OvalRoi_RB->SetValue(true);
    test::Drag(w->Canvas1, {10, 20}, {60, 50});
    ASSERT_EQ(w->msupx - w->msdownx, 50);
    QTest::mousePress(w->Canvas2, Qt::LeftButton, {}, {70, 80});
    QTest::mouseRelease(w->Canvas2, Qt::LeftButton, {}, {70, 80});
    ASSERT_EQ(fake_->drags.size(), 1u);
    const auto& drag = fake_->drags[0];
    EXPECT_EQ(drag.source, w->Canvas2);
    EXPECT_EQ(drag.outline, QRect(10, 20, 50, 30));
    ASSERT_TRUE(drag.picture);
    ASSERT_EQ(drag.picture->Width(), 50);
    ASSERT_EQ(drag.picture->Height(), 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(At(drag.picture, x, y), At(w->poxc, x + 10, y + 20)) << x << "," << y;
    EXPECT_EQ(At(drag.picture, 0, 0), kWhite) << "outside the oval";
    EXPECT_EQ(At(drag.picture, 25, 15), RGB(38, 38, 7));

    // A click makes a box without width: nothing to drag.
    QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, {30, 30});
    ASSERT_EQ(w->msupx, w->msdownx);
    QTest::mousePress(w->Canvas2, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(fake_->drags.size(), 1u);
}

}  // namespace
}  // namespace qv
