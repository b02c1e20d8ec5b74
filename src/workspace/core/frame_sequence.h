#pragma once

// Frame lists: the frame counter's text and the sum of frames made by Flatten.

#include <QString>
#include <functional>

#include "platform/core/picture.h"

namespace qv {

// The frame counter "k/n" for frame `actualframe` (from 0) of a list whose
// last index is `nbilds`: "3/12" at the third of twelve frames.
QString FrameCounter(int actualframe, int nbilds);

// The message after a list of `given` frames of which only the first `kept`
// were taken.
QString FramesLeftOut(int given, int kept);

// Adds `frame` into `sum`, pixel by pixel and each of red, green and blue on
// its own; a component above 255 saturates at 255. The pass covers the sum's
// own width and height: where the frame does not reach, it counts as white, so
// those pixels of the sum become white. Nothing outside either picture is read
// or written.
//
// `cancelled` (when given) is asked once after each column of the sum, from
// column 0 on. Once it answers true the pass stops with the columns up to and
// including that one added, and returns false; the first column is always
// added. Returns true when every column was added.
bool AddFrame(Picture& sum, const Picture& frame, const std::function<bool()>& cancelled);

}  // namespace qv
