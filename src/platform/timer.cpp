#include "platform/timer.h"

namespace qv {

Timer::Timer(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &Timer::Fire);
}

void Timer::SetMode(int mode) {
    mode_ = mode;
    Restart();
}

void Timer::SetPeriod(int ms) {
    period_ = ms;
    if (mode_ != 0) Restart();
}

void Timer::Restart() {
    timer_.stop();
    if (mode_ == 0) return;
    timer_.setSingleShot(mode_ == 1);
    timer_.start(std::max(period_, 0));
}

void Timer::Fire() {
    if (mode_ == 0) return;
    if (mode_ == 1) {
        mode_ = 0;
        timer_.stop();
    }
    if (Action) Action();
}

}  // namespace qv
