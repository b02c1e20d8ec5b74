#pragma once

#include <QElapsedTimer>

namespace qv {

// A pass over many pixels that keeps the windows live. While one runs, user
// input other than the cancel key is held off (no handler can re-enter the
// pass), and Escape counts as the cancel key and is swallowed.
class LongPass {
public:
    LongPass();
    ~LongPass();
    LongPass(const LongPass&) = delete;
    LongPass& operator=(const LongPass&) = delete;

    // Lets the event loop run, at most every 50 ms.
    void KeepAlive();

    static bool Busy();

private:
    QElapsedTimer sinceEvents_;
    bool outer_;
};

// True once the user has pressed the cancel key (Ctrl+., or Escape during a
// long pass) since the current pass began. Lets the event loop run first.
bool UserCancelled();

// Installs the application-wide key watch behind UserCancelled and LongPass.
void InstallCancelWatch();

// For tests: as if the cancel key had been pressed.
void SimulateCancelKey();

// For tests: the k-th UserCancelled poll (from 1) of the next pass to begin
// reports the cancel key, as if it had been pressed just before that poll.
void SimulateCancelAtPoll(int k);

}  // namespace qv
