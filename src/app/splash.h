// Window8: the splash window.
#pragma once

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/httpsocket.h"
#include "platform/movie.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace qv {

// The splash: product name, version and a playing logo; leads to the workspace
// through "Start" or a click on the window, and checks for a newer version.
class Window8 : public Window, public SingleInstance<Window8> {
    Q_OBJECT
public:
    Window8();

    void StaticText2_Open();
    void Timer1_Action();
    void MoviePlayer1_Open();
    void MoviePlayer1_Play();
    bool Canvas1_MouseDown(int x, int y);
    void PushButton1_Action();
    void versionHTTPSock_PageReceived(const QString& url, int status, const QString& content);
    void Event_Open() override;
    bool Event_MouseDown(int x, int y) override;
    void checkUpdate();
    // Compares the version file with our own version; a newer one beeps and
    // opens the update alert. Needs no splash: a late reply still arrives.
    static void readVersion(const QString& content);

    StaticText* StaticText1 = nullptr;
    StaticText* StaticText2 = nullptr;
    StaticText* StaticText3 = nullptr;
    Timer* Timer1 = nullptr;
    MoviePlayer* MoviePlayer1 = nullptr;
    Canvas* Canvas1 = nullptr;
    StaticText* StaticText5 = nullptr;
    PushButton* PushButton1 = nullptr;
    // Lives with the application object, so a reply after the splash closed is still read.
    HTTPSocket* versionHTTPSock = nullptr;
};

}  // namespace qv
