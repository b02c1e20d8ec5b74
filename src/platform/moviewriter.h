#pragma once

#include <QString>
#include <memory>

#include "platform/core/picture.h"

namespace qv {

// Lossless video codecs of a QuickTime movie.
enum class MovieCodec {
    Animation,  // QuickTime Animation (run-length coded RGB)
    Png,        // one PNG picture per frame
};

// Writes a QuickTime .mov file with one video track: pictures are appended one
// by one as frames, all of the track's size, each shown for 1 / frameRate
// seconds. The movie is written whole or not at all: under a temporary name
// beside the file, renamed over it only once its trailer is written and the
// file closed and synced; until then, and after any failure, a file of that
// name stays as it was. Every failure is a false return; once encoding or
// writing has failed, the writer appends nothing more and Finish reports the
// failure. Destroying an open writer finishes its file.
class MovieWriter {
  public:
    MovieWriter();
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    // Starts the file (which replaces one of that name once finished) with a
    // track of width x height pixels at frameRate frames per second. False when
    // the size or rate is not positive, the file cannot be created or the
    // writer is already open.
    bool Open(const QString& path, int width, int height, double frameRate,
              MovieCodec codec = MovieCodec::Animation);
    // Adds one frame. False when the writer is not open, the picture is none or
    // of another size, or encoding or writing fails.
    bool AppendPicture(const PicturePtr& picture);
    // Writes what is left (the encoder's last packets, the trailer), closes the
    // file and puts it in place; true when the whole movie was written. The
    // writer can then be opened again.
    bool Finish();
    // Why the last Open or Finish failed, for the user ("" when nothing did).
    QString ErrorText() const;

    bool IsOpen() const;
    // Frames appended since Open.
    int FrameCount() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace qv
