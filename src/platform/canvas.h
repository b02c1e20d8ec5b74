#pragma once

#include <QCursor>
#include <QWidget>
#include <functional>

#include "platform/filedrop.h"
#include "platform/core/graphics.h"
#include "platform/core/picture.h"

namespace qv {

// A drawing surface with a backdrop picture. What is drawn through Graphics()
// stays on screen until the canvas is refreshed, which shows the backdrop again
// (white where it does not reach) and runs Paint (only while there is a backdrop
// to show). Drawing into the backdrop picture itself shows at the next repaint. A press goes to MouseDown;
// only when it returns true do MouseDrag and MouseUp follow for that press.
// Presses never pass on to the window below. MouseMove follows the pointer while no
// button is held, MouseEnter runs as it comes over the canvas. A canvas with no
// backdrop on which nothing was drawn shows the window behind it. A canvas given
// accepted file types takes drops of such files.
class Canvas : public QWidget, public FileDropTarget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);

    PicturePtr Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr picture);  // refreshes the canvas

    // Drawing on the canvas surface (not on the backdrop).
    qv::Graphics& Graphics();
    // Shows the backdrop again and runs Paint.
    void Refresh();
    // What is on screen now, as a picture of the canvas's size.
    PicturePtr Surface();

    std::function<bool(int x, int y)> MouseDown;
    std::function<void(int x, int y)> MouseDrag;
    std::function<void(int x, int y)> MouseUp;
    std::function<void(qv::Graphics& g)> Paint;
    std::function<void(int x, int y)> MouseMove;
    std::function<void()> MouseEnter;

    // The pointer's shape while it is over the canvas.
    void SetMouseCursor(const QCursor& cursor) { setCursor(cursor); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void MakeSurface();
    bool FitSurface();  // true when the surface was made anew
    void BackdropChanged();
    PicturePtr backdrop_;
    PicturePtr surface_;
    bool drawn_ = false;  // nothing to show yet: the window shows through
    bool stale_ = false;  // the backdrop was drawn into since it was shown
    bool tracking_ = false;
    QPoint last_;
};

}  // namespace qv
