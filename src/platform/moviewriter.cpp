#include "platform/moviewriter.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/rational.h>
}

namespace qv {

struct MovieWriter::Impl {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    int width = 0, height = 0;
    int frames = 0;
    int64_t packets = 0;
    bool failed = false;

    ~Impl() { Close(); }

    // Frees every FFmpeg object and closes the file.
    void Close() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb) avio_closep(&format->pb);
            avformat_free_context(format);
            format = nullptr;
        }
        stream = nullptr;
        frames = 0;
        packets = 0;
        failed = false;
    }

    bool Open(const QString& path, int w, int h, double frameRate, MovieCodec kind) {
        av_log_set_level(AV_LOG_FATAL);
        if (w <= 0 || h <= 0 || !(frameRate > 0)) return false;
        width = w;
        height = h;
        const QByteArray file = QFile::encodeName(path);
        if (file.isEmpty()) return false;
        if (avformat_alloc_output_context2(&format, nullptr, "mov", file.constData()) < 0 ||
            !format)
            return false;
        format->flags |= AVFMT_FLAG_BITEXACT;
        const AVCodec* encoder =
            avcodec_find_encoder(kind == MovieCodec::Png ? AV_CODEC_ID_PNG : AV_CODEC_ID_QTRLE);
        if (!encoder) return false;
        stream = avformat_new_stream(format, nullptr);
        codec = avcodec_alloc_context3(encoder);
        if (!stream || !codec) return false;
        const AVRational rate = av_d2q(frameRate, 100000);
        if (rate.num <= 0 || rate.den <= 0) return false;
        codec->width = w;
        codec->height = h;
        codec->pix_fmt = AV_PIX_FMT_RGB24;
        codec->time_base = av_inv_q(rate);
        codec->framerate = rate;
        codec->thread_count = 1;  // packets leave in frame order, one per frame
        codec->flags |= AV_CODEC_FLAG_BITEXACT;
        if (format->oformat->flags & AVFMT_GLOBALHEADER)
            codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(codec, encoder, nullptr) < 0) return false;
        if (avcodec_parameters_from_context(stream->codecpar, codec) < 0) return false;
        stream->time_base = codec->time_base;
        stream->avg_frame_rate = rate;
        frame = av_frame_alloc();
        packet = av_packet_alloc();
        if (!frame || !packet) return false;
        frame->format = AV_PIX_FMT_RGB24;
        frame->width = w;
        frame->height = h;
        if (av_frame_get_buffer(frame, 0) < 0) return false;
        if (avio_open(&format->pb, file.constData(), AVIO_FLAG_WRITE) < 0) return false;
        return avformat_write_header(format, nullptr) >= 0;
    }

    // Writes every packet the encoder has ready. Each packet is one frame and
    // lasts one frame: without a duration the movie would drop its last frame.
    bool Drain() {
        for (;;) {
            const int r = avcodec_receive_packet(codec, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (r < 0) return false;
            packet->pts = packet->dts = packets++;
            packet->duration = 1;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            // Takes the packet's data, whatever the result.
            if (av_interleaved_write_frame(format, packet) < 0) return false;
        }
    }

    bool Append(const PicturePtr& picture) {
        if (picture->Width() != width || picture->Height() != height) return false;
        if (av_frame_make_writable(frame) < 0) return false;
        const QImage& image = picture->Image();
        for (int y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            uint8_t* out = frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0];
            for (int x = 0; x < width; ++x) {
                *out++ = static_cast<uint8_t>(qRed(in[x]));
                *out++ = static_cast<uint8_t>(qGreen(in[x]));
                *out++ = static_cast<uint8_t>(qBlue(in[x]));
            }
        }
        frame->pts = frames;
        if (avcodec_send_frame(codec, frame) < 0) return false;
        if (!Drain()) return false;
        ++frames;
        return true;
    }

    bool Finish() {
        bool ok = !failed;
        if (ok) ok = avcodec_send_frame(codec, nullptr) >= 0 && Drain();
        if (ok) ok = av_write_trailer(format) == 0;
        if (format->pb) {
            if (avio_closep(&format->pb) < 0) ok = false;
        }
        Close();
        return ok;
    }
};

MovieWriter::MovieWriter() : d_(std::make_unique<Impl>()) {}

MovieWriter::~MovieWriter() {
    if (IsOpen()) Finish();
}

bool MovieWriter::Open(const QString& path, int width, int height, double frameRate,
                       MovieCodec codec) {
    if (IsOpen()) return false;
    if (d_->Open(path, width, height, frameRate, codec)) return true;
    d_->Close();
    return false;
}

bool MovieWriter::AppendPicture(const PicturePtr& picture) {
    if (!IsOpen() || d_->failed || !picture) return false;
    if (picture->Width() != d_->width || picture->Height() != d_->height) return false;
    if (d_->Append(picture)) return true;
    d_->failed = true;
    return false;
}

bool MovieWriter::Finish() {
    if (!IsOpen()) return false;
    return d_->Finish();
}

bool MovieWriter::IsOpen() const {
    return d_->format != nullptr;
}

int MovieWriter::FrameCount() const {
    return d_->frames;
}

}  // namespace qv
