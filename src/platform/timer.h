#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace qv {

// A window's timer: Mode 0 off, 1 one countdown of Period ms (then off again),
// 2 repeating. Setting Mode 1 or 2 (re)starts the countdown.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);

    int Mode() const { return mode_; }
    void SetMode(int mode);
    int Period() const { return period_; }
    void SetPeriod(int ms);

    std::function<void()> Action;

    // For tests: runs the countdown's end now, as if the period had passed.
    void Fire();

private:
    void Restart();
    QTimer timer_;
    int mode_ = 0;
    int period_ = 1000;
};

}  // namespace qv
