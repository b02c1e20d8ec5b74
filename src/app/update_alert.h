// alertDownloadWin: the update alert.
#pragma once

#include "platform/controls.h"
#include "platform/window.h"

namespace qv {

// "Version Update": tells the user that a newer version exists.
class alertDownloadWin : public Window, public SingleInstance<alertDownloadWin> {
    Q_OBJECT
public:
    alertDownloadWin();

    void PushButton1_Action();
    void PushButton2_Action();
    void PushButton3_Action();
    void StaticText2_Open();

    StaticText* StaticText1 = nullptr;
    PushButton* PushButton1 = nullptr;
    PushButton* PushButton2 = nullptr;
    PushButton* PushButton3 = nullptr;
    StaticText* StaticText2 = nullptr;
};

}  // namespace qv
