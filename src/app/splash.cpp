#include "app/splash.h"

#include "app/addresses.h"
#include "app/update_alert.h"
#include "app/application_object.h"
#include "app/globals.h"
#include "app/resources.h"
#include "app/version.h"
#include "platform/services.h"
#include "platform/core/text.h"
#include "workspace/workspace_window.h"

namespace qv {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
    {.kind = K::StaticText, .name = "StaticText1", .left = 131, .top = 291, .width = 150,
     .height = 20, .text = "Quorvane", .textSize = 18, .bold = true, .align = 1},
    {.kind = K::StaticText, .name = "StaticText2", .left = 118, .top = 312, .width = 172,
     .height = 20, .text = "", .textSize = 10, .align = 1, .events = "Open"},
    {.kind = K::StaticText, .name = "StaticText3", .left = 74, .top = 329, .width = 256,
     .height = 83,
     .text = "Image analysis for confocal microscopy. Quantitative co-localization analysis. "
             "Multiple formats including Leica TIFF files, Biorad PIC,  JPEG, TIF, BMP, PICT, "
             "GIF et c. \r",
     .textSize = 11, .align = 1, .multiline = true},
    {.kind = K::Timer, .name = "Timer1", .events = "Action", .period = 2500, .mode = 0},
    {.kind = K::MoviePlayer, .name = "MoviePlayer1", .left = 81, .top = 1, .width = 256,
     .height = 256, .locks = "LT", .events = "Open,Play"},
    {.kind = K::Canvas, .name = "Canvas1", .left = 383, .top = 1, .width = 28, .height = 24,
     .events = "MouseDown"},
    {.kind = K::StaticText, .name = "StaticText5", .left = 84, .top = 170, .width = 253,
     .height = 57, .text = "If you cannot see a moving logo you need to install QuickTime! ",
     .textSize = 11, .hasColor = true, .color = RGB(255, 255, 0), .align = 1, .multiline = true},
    {.kind = K::PushButton, .name = "PushButton1", .left = 296, .top = 398, .width = 87,
     .height = 20, .text = "Loading...", .textSize = 12, .enabled = false, .events = "Action"},
};
// clang-format on

}  // namespace

Window8::Window8() {
    SetTitle(QStringLiteral("Quorvane beta"));
    SetMinimumSize(64, 64);
    SetSize(413, 432);
    // Centred in the area windows may use, panels and its own frame counted.
    SetCentred(true);
    BuildControls(kControls, {
                                 QV_HANDLER(Window8, StaticText2_Open),
                                 QV_HANDLER(Window8, Timer1_Action),
                                 QV_HANDLER(Window8, MoviePlayer1_Open),
                                 QV_HANDLER(Window8, MoviePlayer1_Play),
                                 QV_HANDLER(Window8, Canvas1_MouseDown),
                                 QV_HANDLER(Window8, PushButton1_Action),
                             });
    StaticText1 = ControlNamed<StaticText>(QStringLiteral("StaticText1"));
    StaticText2 = ControlNamed<StaticText>(QStringLiteral("StaticText2"));
    StaticText3 = ControlNamed<StaticText>(QStringLiteral("StaticText3"));
    Timer1 = ControlNamed<Timer>(QStringLiteral("Timer1"));
    MoviePlayer1 = ControlNamed<MoviePlayer>(QStringLiteral("MoviePlayer1"));
    Canvas1 = ControlNamed<Canvas>(QStringLiteral("Canvas1"));
    StaticText5 = ControlNamed<StaticText>(QStringLiteral("StaticText5"));
    PushButton1 = ControlNamed<PushButton>(QStringLiteral("PushButton1"));

    QObject* owner = Application::Instance();
    versionHTTPSock = new HTTPSocket(owner ? owner : static_cast<QObject*>(this));
    versionHTTPSock->setObjectName(QStringLiteral("versionHTTPSock"));
    versionHTTPSock->PageReceived = [](const QString&, int, const auto&, const QString& content) {
        readVersion(content);
    };
}

void Window8::StaticText2_Open() {
    Application* app = App();
    if (!app) return;
    StaticText2->SetText(Str(app->MajorVersion) + QStringLiteral(".") + Str(app->MinorVersion) +
                         QStringLiteral(".") + Str(app->BugVersion));
}

void Window8::MoviePlayer1_Open() {
    MoviePlayer1->SetMovie(small2());
    SetControlBounds(MoviePlayer1, 81, 1, 256, 276);
    MoviePlayer1->update();
    MoviePlayer1->PlayMovie();
}

void Window8::MoviePlayer1_Play() {
    Timer1->SetMode(1);
    StaticText5->setVisible(false);
}

void Window8::Timer1_Action() {
    PushButton1->SetCaption(QStringLiteral("Start"));
    PushButton1->setVisible(true);
    SetDefaultButton(PushButton1);
    PushButton1->setEnabled(true);
}

void Window8::PushButton1_Action() {
    Window1::instance()->Show();
    Close();
}

bool Window8::Event_MouseDown(int, int) {
    Close();
    Window1::instance()->Show();
    return false;
}

bool Window8::Canvas1_MouseDown(int, int) {
    MoviePlayer1->SetMovie(small());
    MoviePlayer1->PlayMovie();
    return false;
}

void Window8::Event_Open() { checkUpdate(); }

void Window8::checkUpdate() {
    versionHTTPSock->Get(UpdateServer() + QStringLiteral("/QV/qvcurrentversion.txt"));
}

void Window8::versionHTTPSock_PageReceived(const QString&, int, const QString& content) {
    readVersion(content);
}

void Window8::readVersion(const QString& content) {
    Application* app = App();
    const QString own = app ? OwnVersionText(app->MajorVersion, app->MinorVersion, app->BugVersion)
                            : QString();
    const VersionReply reply = ReadVersionReply(content, own);
    Module1::versionDetails = reply.details;
    if (reply.newer) {
        Beep();
        alertDownloadWin::instance()->Show();
    }
}

}  // namespace qv
