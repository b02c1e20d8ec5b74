#include <gtest/gtest.h>

#include "app/file_types.h"
#include "platform/controls.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using FileTypesTest = test::SessionTest;

TEST_F(FileTypesTest, EightTypesInOrderWithTheirFields) {
    ASSERT_TRUE(FileTypes::pApplicationVndMsExcel);
    EXPECT_EQ(FileTypes::pApplicationVndMsExcel->MacType, QStringLiteral("XLS "));
    EXPECT_EQ(FileTypes::pImageTiff->Extensions, QStringLiteral(".jfx;.tif;.tiff"));
    EXPECT_EQ(FileTypes::pVideoQuicktime->Name, QStringLiteral("video/quicktime"));
}

TEST_F(FileTypesTest, DropWellAndOpenDialogAcceptByExtensionIgnoringCase) {
    Window1* w = Window1::instance();
    struct Case {
        const char* file;
        bool drop;
        bool open;
        const char* type;
    };
    for (const Case& c : {Case{"a.tif", true, true, "image/x-tiff"},
                          Case{"a.TIFF", true, true, "image/x-tiff"},
                          Case{"a.png", false, false, "image/png"},
                          Case{"a.pic", true, false, "image/biorad"},
                          Case{"a.PIC", true, false, "image/biorad"},
                          Case{"a.jpg", true, true, "image/any"},
                          Case{"a.jfx", true, false, "image/tiff"},
                          Case{"a.xls", false, false, "application/vnd.ms-excel"},
                          Case{"tif", false, false, ""}}) {
        const auto file = FolderItem::FromPath(QStringLiteral("/data/") + c.file);
        EXPECT_EQ(w->ImageWell1->AcceptedFiles({file}).size() == 1, c.drop) << c.file;
        EXPECT_EQ(FileTypeRegistry::Accepts(QStringLiteral("image/any"), file->Name()), c.open)
            << c.file;
        EXPECT_EQ(file->Type(), QString::fromUtf8(c.type)) << c.file;
    }
    EXPECT_EQ(FileTypeRegistry::Patterns(QStringLiteral("image/any")),
              (QStringList{"*.jpg", "*.tiff", "*.tif", "*.bmp", "*.gif", "*.jpeg"}));
}

}  // namespace
}  // namespace qv
