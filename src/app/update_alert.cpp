#include "app/update_alert.h"

#include "app/addresses.h"
#include "app/globals.h"
#include "platform/services.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::StaticText, .name = "StaticText1", .left = 28, .top = 28, .width = 321,
     .height = 22, .text = "There is a newer version of Quorvane available. \r", .textSize = 12,
     .multiline = true},
    {.kind = K::PushButton, .name = "PushButton1", .left = 256, .top = 177, .width = 100,
     .height = 20, .text = "Download", .textSize = 12, .locks = "RB", .events = "Action",
     .isDefault = true},
    {.kind = K::PushButton, .name = "PushButton2", .left = 135, .top = 177, .width = 100,
     .height = 20, .text = "Visit website", .textSize = 12, .locks = "RB", .events = "Action"},
    {.kind = K::PushButton, .name = "PushButton3", .left = 19, .top = 177, .width = 104,
     .height = 20, .text = "Not now ", .textSize = 12, .locks = "RB", .events = "Action"},
    {.kind = K::StaticText, .name = "StaticText2", .left = 24, .top = 62, .width = 333,
     .height = 96, .text = "", .textSize = 11, .multiline = true, .events = "Open"},
};
// clang-format on

}  // namespace

alertDownloadWin::alertDownloadWin() {
    SetTitle(QStringLiteral("Version Update"));
    SetMinimumSize(64, 64);
    SetCentred(true);
    SetSize(376, 221);
    BuildControls(kControls, {
                                 QV_HANDLER(alertDownloadWin, PushButton1_Action),
                                 QV_HANDLER(alertDownloadWin, PushButton2_Action),
                                 QV_HANDLER(alertDownloadWin, PushButton3_Action),
                                 QV_HANDLER(alertDownloadWin, StaticText2_Open),
                             });
    StaticText1 = ControlNamed<StaticText>(QStringLiteral("StaticText1"));
    PushButton1 = ControlNamed<PushButton>(QStringLiteral("PushButton1"));
    PushButton2 = ControlNamed<PushButton>(QStringLiteral("PushButton2"));
    PushButton3 = ControlNamed<PushButton>(QStringLiteral("PushButton3"));
    StaticText2 = ControlNamed<StaticText>(QStringLiteral("StaticText2"));
}

void alertDownloadWin::StaticText2_Open() { StaticText2->SetText(Module1::versionDetails); }

void alertDownloadWin::PushButton1_Action() {
    ShowURL(HomePage());
    Close();
}

void alertDownloadWin::PushButton2_Action() {
    ShowURL(HomePage());
    Close();
}

void alertDownloadWin::PushButton3_Action() { Close(); }

}  // namespace qv
