#include "platform/canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace qv {

Canvas::Canvas(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAcceptDrops(true);
    setMouseTracking(true);  // moves without a button reach MouseMove
    MakeSurface();
}

void Canvas::MakeSurface() {
    surface_ = NewPicture(std::max(width(), 1), std::max(height(), 1));
    surface_->Graphics().Changed = [this] {
        drawn_ = true;
        update();
    };
}

void Canvas::SetBackdrop(PicturePtr picture) {
    backdrop_ = std::move(picture);
    if (backdrop_) {
        QPointer<Canvas> self(this);
        Picture* shown = backdrop_.get();
        backdrop_->Graphics().Changed = [self, shown] {
            if (self && self->backdrop_.get() == shown) self->BackdropChanged();
        };
    }
    Refresh();
}

void Canvas::BackdropChanged() {
    stale_ = true;
    update();
}

// The surface follows the canvas's size also while the canvas is hidden, when
// its resize events wait until it is shown.
bool Canvas::FitSurface() {
    if (surface_->Width() == std::max(width(), 1) && surface_->Height() == std::max(height(), 1))
        return false;
    MakeSurface();
    return true;
}

PicturePtr Canvas::Surface() {
    if (FitSurface() || stale_) Refresh();
    return surface_;
}

qv::Graphics& Canvas::Graphics() {
    if (FitSurface()) Refresh();
    return surface_->Graphics();
}

void Canvas::Refresh() {
    FitSurface();
    qv::Graphics& g = surface_->Graphics();
    g.ClearRect(0, 0, surface_->Width(), surface_->Height());
    if (backdrop_) g.DrawPicture(backdrop_, 0, 0);
    drawn_ = backdrop_ != nullptr;
    stale_ = false;
    if (Paint && backdrop_) Paint(g);
    update();
}

void Canvas::resizeEvent(QResizeEvent*) {
    if (FitSurface()) Refresh();
}

void Canvas::paintEvent(QPaintEvent*) {
    if (stale_) Refresh();
    if (!drawn_) return;
    QPainter painter(this);
    painter.drawImage(0, 0, surface_->Image());
}

void Canvas::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    last_ = p;
    tracking_ = MouseDown ? MouseDown(p.x(), p.y()) : false;
}

void Canvas::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!tracking_) {
        if (MouseMove && event->buttons() == Qt::NoButton) {
            const QPoint p = event->position().toPoint();
            MouseMove(p.x(), p.y());
        }
        return;
    }
    const QPoint p = event->position().toPoint();
    if (p == last_) return;
    last_ = p;
    if (MouseDrag) MouseDrag(p.x(), p.y());
}

void Canvas::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!tracking_ || event->button() != Qt::LeftButton) return;
    tracking_ = false;
    const QPoint p = event->position().toPoint();
    if (MouseUp) MouseUp(p.x(), p.y());
}

void Canvas::dragEnterEvent(QDragEnterEvent* event) { DragEntered(event); }

void Canvas::dragMoveEvent(QDragMoveEvent* event) { DragMoved(event); }

void Canvas::dropEvent(QDropEvent* event) { Dropped(event); }

void Canvas::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (MouseEnter) MouseEnter();
}

}  // namespace qv
