#include "platform/core/graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

constexpr QRgb Opaque(Color c) { return 0xFF000000u | (c & 0xFFFFFFu); }

// A masked pixel: each component of the mask mixes the picture's (0, black)
// with what lies below (255, white).
inline QRgb Blend(QRgb picture, QRgb below, QRgb mask) {
    QRgb out = 0xFF000000u;
    for (int s = 0; s < 24; s += 8) {
        const unsigned m = (mask >> s) & 0xFFu;
        const unsigned a = (picture >> s) & 0xFFu, b = (below >> s) & 0xFFu;
        out |= ((a * (255 - m) + b * m + 127) / 255) << s;
    }
    return out;
}

}  // namespace

bool OvalRow(int x, int y, int w, int h, int row, int* first, int* last) {
    const double rx = w / 2.0, ry = h / 2.0;
    const double cx = x + rx, cy = y + ry;
    const double dy = (row + 0.5 - cy) / ry;
    if (dy * dy > 1.0) return false;
    const double half = rx * std::sqrt(1.0 - dy * dy);
    // pixel i is inside when i + 0.5 lies in [cx - half, cx + half]
    *first = static_cast<int>(std::ceil(cx - half - 0.5));
    *last = static_cast<int>(std::floor(cx + half - 0.5)) + 1;
    *first = std::max(*first, x);
    *last = std::min(*last, x + w);
    return *first < *last;
}

PolygonEdges::PolygonEdges(const std::vector<int>& points, int n) {
    for (int k = 1; k <= n; ++k) {
        const int next = k == n ? 1 : k + 1;
        const double xa = points[2 * k - 1], ya = points[2 * k];
        const double xb = points[2 * next - 1], yb = points[2 * next];
        if (ya != yb)
            edges_.push_back({xa, ya, xb - xa, yb - ya, std::min(ya, yb), std::max(ya, yb)});
    }
    std::sort(edges_.begin(), edges_.end(),
              [](const Edge& p, const Edge& q) { return p.top < q.top; });
}

void PolygonEdges::Crossings(double y, std::vector<double>* xs) const {
    xs->clear();
    for (const Edge& e : edges_) {
        if (e.top > y) break;
        if (y < e.bottom) xs->push_back(e.xa + (y - e.ya) * e.run / e.rise);
    }
    std::sort(xs->begin(), xs->end());
}

Color Graphics::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return kBlack;
    return reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x] & 0xFFFFFFu;
}

void Graphics::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
    reinterpret_cast<QRgb*>(image_->scanLine(y))[x] = Opaque(c);
    Notify();
}

void Graphics::Span(int y, int x0, int x1, Color c) {
    if (y < 0 || y >= image_->height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_->width());
    if (x0 >= x1) return;
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    std::fill(line + x0, line + x1, Opaque(c));
}

void Graphics::Stamp(int x, int y) {
    const int pw = std::max(PenWidth, 1), ph = std::max(PenHeight, 1);
    for (int j = 0; j < ph; ++j) Span(y + j, x, x + pw, ForeColor);
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    WalkLine(x1, y1, x2, y2, [this](int x, int y) { Stamp(x, y); });
    Notify();
}

void Graphics::DrawRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const int pw = std::min(std::max(PenWidth, 1), w), ph = std::min(std::max(PenHeight, 1), h);
    for (int j = 0; j < h; ++j) {
        if (j < ph || j >= h - ph) {
            Span(y + j, x, x + w, ForeColor);
        } else {
            Span(y + j, x, x + pw, ForeColor);
            Span(y + j, x + w - pw, x + w, ForeColor);
        }
    }
    Notify();
}

void Graphics::FillRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    for (int j = 0; j < h; ++j) Span(y + j, x, x + w, ForeColor);
    Notify();
}

void Graphics::ClearRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    for (int j = 0; j < h; ++j) Span(y + j, x, x + w, kWhite);
    Notify();
}

void Graphics::FillOval(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const int y0 = std::max(y, 0), y1 = std::min(y + h, image_->height());
    for (int row = y0; row < y1; ++row) {
        int a, b;
        if (OvalRow(x, y, w, h, row, &a, &b)) Span(row, a, b, ForeColor);
    }
    Notify();
}

void Graphics::DrawOval(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    const int pw = std::max(PenWidth, 1), ph = std::max(PenHeight, 1);
    const int iw = w - 2 * pw, ih = h - 2 * ph;
    const int y0 = std::max(y, 0), y1 = std::min(y + h, image_->height());
    for (int row = y0; row < y1; ++row) {
        int a, b;
        if (!OvalRow(x, y, w, h, row, &a, &b)) continue;
        int ia, ib;
        if (iw > 0 && ih > 0 && OvalRow(x + pw, y + ph, iw, ih, row, &ia, &ib)) {
            Span(row, a, ia, ForeColor);
            Span(row, ib, b, ForeColor);
        } else {
            Span(row, a, b, ForeColor);
        }
    }
    Notify();
}

void Graphics::DrawPolygon(const std::vector<int>& points) {
    const int n = static_cast<int>((points.size() - (points.empty() ? 0 : 1)) / 2);
    if (n < 1) return;
    for (int k = 1; k <= n; ++k) {
        const int next = k == n ? 1 : k + 1;
        DrawLine(points[2 * k - 1], points[2 * k], points[2 * next - 1], points[2 * next]);
    }
    Notify();
}

void Graphics::FillPolygon(const std::vector<int>& points) {
    const int n = static_cast<int>((points.size() - (points.empty() ? 0 : 1)) / 2);
    if (n < 3) return;
    int ymin = points[2], ymax = points[2];
    for (int k = 1; k <= n; ++k) {
        ymin = std::min(ymin, points[2 * k]);
        ymax = std::max(ymax, points[2 * k]);
    }
    ymin = std::max(ymin, 0);
    ymax = std::min(ymax, image_->height());
    const PolygonEdges edges(points, n);
    std::vector<double> xs;
    for (int row = ymin; row < ymax; ++row) {
        edges.Crossings(row + 0.5, &xs);
        // even-odd rule: pixel i is inside when its centre i + 0.5 lies in [left, right)
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int a = static_cast<int>(std::ceil(xs[i] - 0.5));
            const int b = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
            Span(row, a, b, ForeColor);
        }
    }
    Notify();
}

QFont Graphics::Font() const {
    QFont font;
    if (!TextFont.isEmpty() && TextFont != QLatin1String("System")) font.setFamily(TextFont);
    font.setPixelSize(TextSize > 0 ? TextSize : 12);
    font.setBold(Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void Graphics::DrawString(const QString& text, int x, int y) {
    if (text.isEmpty()) return;
    {
        QPainter painter(image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(Font());
        painter.setPen(QColor::fromRgb(Opaque(ForeColor)));
        painter.drawText(QPoint(x, y), text);
    }
    Notify();
}

int Graphics::StringWidth(const QString& text) const {
    return QFontMetrics(Font()).horizontalAdvance(text);
}

int Graphics::TextHeight() const { return QFontMetrics(Font()).height(); }

int Graphics::TextAscent() const { return QFontMetrics(Font()).ascent(); }

void Graphics::DrawPicture(const PicturePtr& p, int x, int y, int w, int h, int sx, int sy, int sw,
                           int sh) {
    if (!p) return;
    const QImage& src = p->Image();
    if (w == kSourceSize) w = src.width();
    if (h == kSourceSize) h = src.height();
    if (sw == kSourceSize) sw = src.width();
    if (sh == kSourceSize) sh = src.height();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const bool skipWhite = p->Transparent == 1;
    const QImage* mask = p->HasMask() ? &p->Mask()->Image() : nullptr;
    // Drawing a picture into itself reads from a snapshot of the source.
    QImage snapshot;
    if (&src == image_) snapshot = src.copy();
    const QImage& source = snapshot.isNull() ? src : snapshot;
    const int tw = image_->width(), th = image_->height();
    const int j0 = std::max(0, -y), j1 = std::min(h, th - y);
    const int i0 = std::max(0, -x), i1 = std::min(w, tw - x);
    if (w == sw && h == sh && !skipWhite && !mask) {
        // Unscaled and opaque: a row copy, clipped to both pictures.
        const int a = std::max(i0, -sx), b = std::min(i1, source.width() - sx);
        for (int j = std::max(j0, -sy); j < std::min(j1, source.height() - sy); ++j) {
            if (a >= b) break;
            const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy + j));
            QRgb* out = reinterpret_cast<QRgb*>(image_->scanLine(y + j));
            for (int i = a; i < b; ++i) out[x + i] = in[sx + i] | 0xFF000000u;
        }
        Notify();
        return;
    }
    // The source column of each target column, -1 where it lies outside the source.
    std::vector<int> columns(static_cast<size_t>(std::max(i1 - i0, 0)));
    for (int i = i0; i < i1; ++i) {
        const long long sxx = sx + static_cast<long long>(i) * sw / w;
        const bool outside = sxx < 0 || sxx >= source.width();
        columns[static_cast<size_t>(i - i0)] = outside ? -1 : static_cast<int>(sxx);
    }
    for (int j = j0; j < j1; ++j) {
        const long long syy = sy + static_cast<long long>(j) * sh / h;
        if (syy < 0 || syy >= source.height()) continue;
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(syy)));
        QRgb* out = reinterpret_cast<QRgb*>(image_->scanLine(y + j));
        for (int i = i0; i < i1; ++i) {
            const int sxx = columns[static_cast<size_t>(i - i0)];
            if (sxx < 0) continue;
            const QRgb c = in[sxx] | 0xFF000000u;
            if (skipWhite && c == kOpaqueWhite) continue;
            // Outside its mask a picture shows as it is.
            if (mask && sxx < mask->width() && syy < mask->height()) {
                const QRgb m = reinterpret_cast<const QRgb*>(
                    mask->constScanLine(static_cast<int>(syy)))[sxx];
                out[x + i] = Blend(c, out[x + i], m);
            } else {
                out[x + i] = c;
            }
        }
    }
    Notify();
}

}  // namespace qv
