#include <gtest/gtest.h>

#include <functional>

#include "platform/services.h"
#include "support/fake_services.h"

namespace qv {
namespace {

TEST(DialogOpenTest, EveryMessageAndDialogCountsAsOpenWhileItShows) {
    test::ScopedFakeServices fake;
    std::vector<bool> seen;
    fake->onMessage = [&](const QString&) { seen.push_back(DialogOpen()); };
    fake->onDialog = [&] { seen.push_back(DialogOpen()); };
    fake->urlsOpen = false;  // so that ShowURL falls back on its message
    struct Case {
        const char* what;
        std::function<void()> ask;
    };
    const Case cases[] = {
        {"message box", [] { MsgBox(QStringLiteral("m")); }},
        {"question", [] { Confirm(QStringLiteral("q"), QStringLiteral("Yes")); }},
        {"open dialog", [] { GetOpenFolderItem(QStringLiteral("image/any")); }},
        {"save dialog", [] { GetSaveFolderItem(QString(), QStringLiteral("Seq")); }},
        {"TIFF settings", [] { RequestTiffSettings({}); }},
        {"picture export", [] { ExportPicture(NewPicture(2, 2)); }},
        {"address given by hand", [] { ShowURL(QStringLiteral("https://example.org")); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        seen.clear();
        EXPECT_FALSE(DialogOpen());
        c.ask();
        EXPECT_EQ(seen, std::vector<bool>{true});
        EXPECT_FALSE(DialogOpen()) << "closed again";
    }

    // A message shown from inside a dialog: the dialog stays open after it.
    seen.clear();
    fake->onDialog = [&] {
        MsgBox(QStringLiteral("inner"));
        seen.push_back(DialogOpen());
    };
    GetSaveFolderItem(QString(), QStringLiteral("Seq"));
    EXPECT_EQ(seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(DialogOpen());
}

}  // namespace
}  // namespace qv
