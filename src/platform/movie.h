#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/picture.h"

namespace qv {

// A movie: the complete bytes of a movie file (QuickTime .mov or any other
// container and codec that FFmpeg reads). Shared by reference.
class Movie {
  public:
    explicit Movie(QByteArray bytes) : bytes_(std::move(bytes)) {}
    const QByteArray& Bytes() const { return bytes_; }

    // The movie in a file; none when the file cannot be read.
    static std::shared_ptr<Movie> FromFile(const QString& path);

  private:
    QByteArray bytes_;
};
using MoviePtr = std::shared_ptr<Movie>;

// One decoded frame: the picture and when it shows, in milliseconds from the
// movie's first frame, and for how long (0 when the movie does not say).
struct MovieFrame {
    PicturePtr picture;
    qint64 time = 0;
    qint64 duration = 0;
};

// Decodes the first video track of a movie, frame by frame, straight from its
// bytes. Every frame comes out as a 32-bit RGB picture of the track's size.
// A movie that cannot be read is not open and gives no frame.
class MovieDecoder {
  public:
    explicit MovieDecoder(QByteArray bytes);
    ~MovieDecoder();
    MovieDecoder(const MovieDecoder&) = delete;
    MovieDecoder& operator=(const MovieDecoder&) = delete;

    bool IsOpen() const;
    int Width() const;
    int Height() const;
    // The next frame in display order; false at the end or on a decoding error.
    bool Next(MovieFrame* frame);

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Every frame of a movie; none when it cannot be decoded.
std::vector<MovieFrame> DecodeMovie(const QByteArray& bytes);

// Shows a movie at its own size from the top-left corner, without controller
// and without looping. PlayMovie decodes frame by frame and shows each at its
// time in the movie; Play fires when the first frame shows. A movie that
// cannot be decoded shows nothing and never fires Play.
class MoviePlayer : public QWidget {
    Q_OBJECT
  public:
    explicit MoviePlayer(QWidget* parent = nullptr);
    ~MoviePlayer() override;

    // Stops what plays and takes the new movie (none for no movie); nothing
    // shows until it is played.
    void SetMovie(MoviePtr movie);
    MoviePtr Movie() const { return movie_; }

    // Plays the movie from its start: its first frame shows from the event
    // loop at once, then the others at their times.
    void PlayMovie();
    // Stops playing; the frame on show stays.
    void Stop();
    bool Playing() const { return playing_; }

    // The frame on show; none before the first frame of a movie has shown.
    PicturePtr CurrentFrame() const { return current_; }
    // Frames shown since the last PlayMovie.
    int FramesShown() const { return framesShown_; }

    // For tests: does now what is due next, as if its time had come: shows the
    // next frame (true), or ends the movie after its last frame (false).
    // False too when nothing plays.
    bool AdvanceFrame();

    std::function<void()> Play;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A press on the player is the player's own; it never reaches the window.
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void Step();
    void Finish();

    MoviePtr movie_;
    std::unique_ptr<MovieDecoder> decoder_;
    MovieFrame pending_;
    bool hasPending_ = false;
    PicturePtr current_;
    qint64 endTime_ = 0;
    int framesShown_ = 0;
    bool playing_ = false;
    QTimer timer_;
    QElapsedTimer clock_;
};

}  // namespace qv
