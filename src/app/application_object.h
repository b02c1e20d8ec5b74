// Class1: the application object.
#pragma once

#include "platform/application.h"

namespace qv {

// The application object.
class Class1 : public Application {
    Q_OBJECT
public:
    void Event_OpenDocument(FolderItemPtr item) override;
    void Event_EnableMenuItems() override;
    void Event_Open() override;
    bool _FileNewwindow_Action();
};

// The registered application object.
Class1* App();

}  // namespace qv
