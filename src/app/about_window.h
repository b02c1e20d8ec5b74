// Window3: the About window.
#pragma once

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

// "About Quorvane". Any key, a click or closing it brings the workspace back.
class Window3 : public Window, public SingleInstance<Window3> {
    Q_OBJECT
public:
    Window3();

    void Canvas1_Open();
    void StaticText2_Open();
    bool Event_KeyDown(const QString& key) override;
    void Event_Close() override;
    bool Event_MouseDown(int x, int y) override;

    Canvas* Canvas1 = nullptr;
    StaticText* StaticText1 = nullptr;
    StaticText* StaticText2 = nullptr;
    StaticText* StaticText3 = nullptr;
};

}  // namespace qv
