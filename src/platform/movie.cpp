#include "platform/movie.h"

#include <QMouseEvent>

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace qv {

namespace {

constexpr int kIoBufferSize = 32 * 1024;

// FFmpeg reports every damaged or unknown file on stderr; the program answers
// such files itself.
void QuietLibraryLog() {
    static const bool quiet = [] {
        av_log_set_level(AV_LOG_FATAL);
        return true;
    }();
    (void)quiet;
}

int64_t FrameDuration(const AVFrame* frame) {
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 30, 100)
    return frame->duration;
#else
    return frame->pkt_duration;
#endif
}

}  // namespace

std::shared_ptr<Movie> Movie::FromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    return std::make_shared<Movie>(file.readAll());
}

// ---------------------------------------------------------------------------
// Decoder

struct MovieDecoder::Impl {
    QByteArray bytes;
    qint64 position = 0;

    AVIOContext* io = nullptr;
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* scaler = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int stream = -1;
    AVRational timeBase{1, 1};
    int64_t defaultDuration = 0;  // in timeBase units, from the frame rate
    int64_t firstPts = AV_NOPTS_VALUE;
    int64_t nextPts = 0;
    bool flushed = false;
    bool open = false;

    explicit Impl(QByteArray b) : bytes(std::move(b)) { open = Open(); }

    ~Impl() {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        // With custom input the format context leaves the I/O context to us.
        avformat_close_input(&format);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
    }

    static int Read(void* opaque, uint8_t* buffer, int size) {
        auto* d = static_cast<Impl*>(opaque);
        const qint64 left = d->bytes.size() - d->position;
        if (left <= 0 || size <= 0) return AVERROR_EOF;
        const int n = static_cast<int>(std::min<qint64>(size, left));
        std::memcpy(buffer, d->bytes.constData() + d->position, static_cast<size_t>(n));
        d->position += n;
        return n;
    }

    static int64_t Seek(void* opaque, int64_t offset, int whence) {
        auto* d = static_cast<Impl*>(opaque);
        const int64_t size = d->bytes.size();
        int64_t target = 0;
        switch (whence & ~AVSEEK_FORCE) {
            case AVSEEK_SIZE:
                return size;
            case SEEK_SET:
                target = offset;
                break;
            case SEEK_CUR:
                target = d->position + offset;
                break;
            case SEEK_END:
                target = size + offset;
                break;
            default:
                return AVERROR(EINVAL);
        }
        if (target < 0 || target > size) return AVERROR(EINVAL);
        d->position = target;
        return target;
    }

    bool Open() {
        if (bytes.isEmpty()) return false;
        auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
        if (!buffer) return false;
        io = avio_alloc_context(buffer, kIoBufferSize, 0, this, &Impl::Read, nullptr, &Impl::Seek);
        if (!io) {
            av_free(buffer);
            return false;
        }
        format = avformat_alloc_context();
        if (!format) return false;
        format->pb = io;
        format->flags |= AVFMT_FLAG_CUSTOM_IO;
        // On failure this frees the format context and clears the pointer.
        if (avformat_open_input(&format, nullptr, nullptr, nullptr) < 0) return false;
        if (avformat_find_stream_info(format, nullptr) < 0) return false;
        const AVCodec* decoder = nullptr;
        stream = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (stream < 0 || !decoder) return false;
        const AVStream* st = format->streams[stream];
        codec = avcodec_alloc_context3(decoder);
        if (!codec) return false;
        if (avcodec_parameters_to_context(codec, st->codecpar) < 0) return false;
        codec->thread_count = 1;  // the same frames on every run, no worker threads
        if (avcodec_open2(codec, decoder, nullptr) < 0) return false;
        if (codec->width <= 0 || codec->height <= 0) return false;
        packet = av_packet_alloc();
        frame = av_frame_alloc();
        if (!packet || !frame) return false;
        timeBase = st->time_base;
        if (timeBase.num <= 0 || timeBase.den <= 0) timeBase = AVRational{1, 1000};
        const AVRational rate = st->avg_frame_rate.num > 0 ? st->avg_frame_rate : st->r_frame_rate;
        if (rate.num > 0 && rate.den > 0)
            defaultDuration = av_rescale_q(1, av_inv_q(rate), timeBase);
        return true;
    }

    // Receives the next decoded frame into `frame`, feeding packets as needed.
    bool Receive() {
        for (;;) {
            const int r = avcodec_receive_frame(codec, frame);
            if (r == 0) return true;
            if (r != AVERROR(EAGAIN)) return false;  // the end, or a broken decoder
            if (flushed) return false;
            if (av_read_frame(format, packet) < 0) {
                // End of the file: let the decoder hand out what it still holds.
                avcodec_send_packet(codec, nullptr);
                flushed = true;
                continue;
            }
            if (packet->stream_index == stream) {
                // A damaged packet is skipped; the next one may decode.
                avcodec_send_packet(codec, packet);
            }
            av_packet_unref(packet);
        }
    }

    bool Next(MovieFrame* out) {
        if (!open || !Receive()) return false;
        const int w = frame->width, h = frame->height;
        bool ok = w > 0 && h > 0;
        QImage image;
        if (ok) {
            scaler =
                sws_getCachedContext(scaler, w, h, static_cast<AVPixelFormat>(frame->format), w, h,
                                     AV_PIX_FMT_RGB32, SWS_POINT, nullptr, nullptr, nullptr);
            image = QImage(w, h, QImage::Format_RGB32);
            ok = scaler && !image.isNull();
        }
        if (ok) {
            uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
            int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
            ok = sws_scale(scaler, frame->data, frame->linesize, 0, h, planes, strides) == h;
        }
        if (ok) {
            // Pictures keep their alpha byte at 0xFF.
            for (int y = 0; y < h; ++y) {
                auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < w; ++x) row[x] |= 0xFF000000u;
            }
        }
        int64_t pts = frame->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE) pts = nextPts;
        if (firstPts == AV_NOPTS_VALUE) firstPts = pts;
        int64_t duration = FrameDuration(frame);
        if (duration <= 0) duration = defaultDuration;
        nextPts = pts + std::max<int64_t>(duration, 1);
        av_frame_unref(frame);
        if (!ok) return false;
        out->picture = std::make_shared<Picture>(std::move(image));
        out->time = av_rescale_q(pts - firstPts, timeBase, AVRational{1, 1000});
        out->duration = duration > 0 ? av_rescale_q(duration, timeBase, AVRational{1, 1000}) : 0;
        return true;
    }
};

MovieDecoder::MovieDecoder(QByteArray bytes) {
    QuietLibraryLog();
    d_ = std::make_unique<Impl>(std::move(bytes));
}

MovieDecoder::~MovieDecoder() = default;

bool MovieDecoder::IsOpen() const {
    return d_->open;
}
int MovieDecoder::Width() const {
    return d_->open ? d_->codec->width : 0;
}
int MovieDecoder::Height() const {
    return d_->open ? d_->codec->height : 0;
}
bool MovieDecoder::Next(MovieFrame* frame) {
    return frame && d_->Next(frame);
}

std::vector<MovieFrame> DecodeMovie(const QByteArray& bytes) {
    std::vector<MovieFrame> frames;
    MovieDecoder decoder(bytes);
    MovieFrame f;
    while (decoder.Next(&f)) frames.push_back(f);
    return frames;
}

// ---------------------------------------------------------------------------
// Player

MoviePlayer::MoviePlayer(QWidget* parent) : QWidget(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &MoviePlayer::Step);
}

MoviePlayer::~MoviePlayer() = default;

void MoviePlayer::SetMovie(MoviePtr movie) {
    Stop();
    movie_ = std::move(movie);
    current_.reset();
    framesShown_ = 0;
    update();
}

void MoviePlayer::PlayMovie() {
    Stop();
    framesShown_ = 0;
    if (!movie_) return;
    decoder_ = std::make_unique<MovieDecoder>(movie_->Bytes());
    hasPending_ = decoder_->Next(&pending_);
    if (!hasPending_) {
        decoder_.reset();
        return;
    }
    playing_ = true;
    timer_.start(0);
}

void MoviePlayer::Stop() {
    Finish();
}

void MoviePlayer::Finish() {
    timer_.stop();
    playing_ = false;
    hasPending_ = false;
    pending_ = MovieFrame();
    decoder_.reset();
}

bool MoviePlayer::AdvanceFrame() {
    if (!playing_) return false;
    timer_.stop();
    const int before = framesShown_;
    Step();
    return framesShown_ > before;
}

void MoviePlayer::Step() {
    if (!playing_) return;
    if (!hasPending_) {
        // The last frame has had its time: the movie is over.
        Finish();
        return;
    }
    const bool first = framesShown_ == 0;
    if (first) clock_.start();
    current_ = pending_.picture;
    const qint64 shownEnd = pending_.time + pending_.duration;
    ++framesShown_;
    update();
    hasPending_ = decoder_->Next(&pending_);
    qint64 due = shownEnd;
    if (hasPending_) {
        due = pending_.time;
    } else {
        pending_ = MovieFrame();
        decoder_.reset();
    }
    timer_.start(static_cast<int>(std::clamp<qint64>(due - clock_.elapsed(), 0, 1 << 30)));
    // Last, as the handler may stop or restart the movie.
    if (first && Play) Play();
}

void MoviePlayer::paintEvent(QPaintEvent*) {
    if (!current_) return;
    QPainter painter(this);
    painter.drawImage(0, 0, current_->Image());
}

void MoviePlayer::mousePressEvent(QMouseEvent* event) { event->accept(); }

}  // namespace qv
