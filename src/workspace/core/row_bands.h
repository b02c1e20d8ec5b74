#pragma once

// The big pixel passes split into bands of rows, run on a persistent pool of
// worker threads together with the calling thread.

#include <functional>

namespace qv {

// How many threads may run bands of one pass at once: the calling thread is
// slot 0, each worker has its own slot 1 .. RowBandSlots() - 1.
int RowBandSlots();

// Calls work(slot, first, last) for consecutive bands of rows first <= y < last
// that together cover top <= y < bottom, each row exactly once, and returns when
// every band is done. Bands are taken by whichever thread is free, so a pass
// keeps per-slot results (one slot never runs two bands at once) and adds them
// up afterwards; integer sums then equal one thread's exactly. A small pass, or
// one started from inside a band, runs on the calling thread as one band. When
// a band throws, the exception leaves this call once every band is done.
void ForEachRowBand(int top, int bottom, long long pixelsPerRow,
                    const std::function<void(int slot, int first, int last)>& work);

// The columns left <= x < right of a pass that asks `cancelled` once after each
// column, in bands of at most `width` columns: the band's columns are polled
// first, then work(first, last) runs over the band's columns first <= x < last
// up to and including the one whose poll cancelled, as if each column were
// polled after it is done. Returns false once a poll cancelled, true when every
// column ran. Without `cancelled` nothing is polled.
bool ForEachPolledColumnBand(int left, int right, int width,
                             const std::function<bool()>& cancelled,
                             const std::function<void(int first, int last)>& work);

}  // namespace qv
