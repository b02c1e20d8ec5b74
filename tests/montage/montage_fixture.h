#pragma once

#include <QTest>

#include "montage/montage_setup.h"
#include "montage/montage_window.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "support/workspace_fixture.h"

namespace qv::test {

// The workspace with a crop of our own, and the montage opened on it.
class MontageTest : public WorkspaceTest {
protected:
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        WorkspaceTest::TearDown();
    }
    // Opens the setup window on `crop` with the ROI (downx, downy)-(upx, upy).
    Window10* Open(PicturePtr crop, int downx = 0, int downy = 0, int upx = 0, int upy = 0,
                   const QString& colormode = QStringLiteral("rg")) {
        w->poxc = std::move(crop);
        w->msdownx = downx;
        w->msdowny = downy;
        w->msupx = upx;
        w->msupy = upy;
        w->colormode = colormode;
        Window10* setup = Window10::instance();
        DrainEvents();
        return setup;
    }
    static PopupMenu* Popup(Window10* s, int k) {
        return s->ControlNamed<PopupMenu>(QStringLiteral("PopupMenu") + QString::number(k));
    }
    template <class T>
    static T* Named(Window* win, const char* name) {
        return win->ControlNamed<T>(QString::fromUtf8(name));
    }
    // A click on a button; on a radio button without a caption, on its circle.
    static void Click(Window* win, const char* button) {
        auto* b = Named<QAbstractButton>(win, button);
        const bool radio = qobject_cast<RadioButton*>(b) != nullptr;
        QTest::mouseClick(b, Qt::LeftButton, {}, radio ? QPoint(6, b->height() / 2) : QPoint());
    }
};

inline PicturePtr Filled(int w, int h, Color c) {
    PicturePtr p = NewPicture(w, h);
    p->Graphics().ForeColor = c;
    p->Graphics().FillRect(0, 0, w, h);
    return p;
}

inline Color At(const PicturePtr& p, int x, int y) { return p->RGBSurface()->Pixel(x, y); }

}  // namespace qv::test
