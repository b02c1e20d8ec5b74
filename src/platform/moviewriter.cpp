#include "platform/moviewriter.h"

#include <QFile>

#include "platform/core/whole_file_writer.h"

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
    std::unique_ptr<WholeFileWriter> out;  // the movie's temporary file and its target
    QString error;                         // why Open or Finish failed

    ~Impl() { Close(); }

    // Notes an FFmpeg failure; true when r is not one.
    bool Check(int r) {
        if (r >= 0) return true;
        if (error.isEmpty()) {
            char text[AV_ERROR_MAX_STRING_SIZE] = {};
            av_strerror(r, text, sizeof text);
            error = QString::fromLocal8Bit(text);
        }
        return false;
    }

    // Frees every FFmpeg object and closes the file; an unfinished movie's
    // temporary file is removed.
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
        if (out) out->Discard();
        out.reset();
    }

    bool Open(const QString& path, int w, int h, double frameRate, MovieCodec kind) {
        av_log_set_level(AV_LOG_FATAL);
        error.clear();
        if (w <= 0 || h <= 0 || !(frameRate > 0)) return false;
        width = w;
        height = h;
        if (path.isEmpty()) return false;
        out = std::make_unique<WholeFileWriter>(path);
        if (!out->Reserve()) {
            error = out->ErrorText();
            return false;
        }
        const QByteArray file = QFile::encodeName(out->TemporaryPath());
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
        if (!Check(avio_open(&format->pb, file.constData(), AVIO_FLAG_WRITE))) return false;
        if (!Check(avformat_write_header(format, nullptr))) return false;
        // The header reaches the file at once: a file that cannot be written
        // fails here, before any frame is made.
        avio_flush(format->pb);
        return Check(format->pb->error);
    }

    // Writes every packet the encoder has ready. Each packet is one frame and
    // lasts one frame: without a duration the movie would drop its last frame.
    bool Drain() {
        for (;;) {
            const int r = avcodec_receive_packet(codec, packet);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (!Check(r)) return false;
            packet->pts = packet->dts = packets++;
            packet->duration = 1;
            av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
            packet->stream_index = stream->index;
            // Takes the packet's data, whatever the result.
            if (!Check(av_interleaved_write_frame(format, packet))) return false;
            if (!Check(format->pb->error)) return false;
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
        if (!Check(avcodec_send_frame(codec, frame))) return false;
        if (!Drain()) return false;
        ++frames;
        return true;
    }

    // Every step is checked: the encoder's drain, the trailer, the close; only
    // then is the file synced and renamed into place.
    bool Finish() {
        bool ok = !failed;
        if (ok) ok = Check(avcodec_send_frame(codec, nullptr)) && Drain();
        if (ok) ok = Check(av_write_trailer(format));
        if (format->pb) {
            if (!Check(avio_closep(&format->pb))) ok = false;
        }
        if (ok && !out->Commit()) {
            error = out->ErrorText();
            ok = false;
        }
        if (!ok && error.isEmpty()) error = QStringLiteral("the movie could not be encoded");
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

QString MovieWriter::ErrorText() const { return d_->error; }

int MovieWriter::FrameCount() const {
    return d_->frames;
}

}  // namespace qv
