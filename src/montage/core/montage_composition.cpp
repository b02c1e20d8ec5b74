#include "montage/core/montage_composition.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QV_MONTAGE_SHUFFLE 1
#endif

namespace qv {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint8_t kZero = 0x80;  // a control byte that gives a zero byte

// Byte of red, green and blue in a pixel as it lies in memory (0x00RRGGBB,
// little-endian: blue first).
constexpr std::uint8_t kByteOf[3] = {2, 1, 0};

// How one panel is drawn, as byte controls: output byte i of a pixel is input
// byte ctl[i], or zero for kZero. The colour of a pixel so is a pure
// channel (only its own byte) or its grey (its byte in all three).
struct PanelRule {
    bool held = false;  // a channel is drawn into this panel
    std::uint8_t panel[4] = {kZero, kZero, kZero, kZero};
    std::uint8_t layer[4] = {kZero, kZero, kZero, kZero};  // zero: not in the merge
};

void SetPure(std::uint8_t (&ctl)[4], int channel) {
    const std::uint8_t b = kByteOf[channel];
    for (int i = 0; i < 4; ++i) ctl[i] = i == b ? b : kZero;
}

void SetGrey(std::uint8_t (&ctl)[4], int channel) {
    for (int i = 0; i < 3; ++i) ctl[i] = kByteOf[channel];
    ctl[3] = kZero;
}

inline std::uint32_t Shuffle(std::uint32_t px, const std::uint8_t (&ctl)[4]) {
    std::uint32_t out = 0;
    for (int i = 0; i < 4; ++i)
        if (!(ctl[i] & kZero)) out |= ((px >> (8 * ctl[i])) & 0xFFu) << (8 * i);
    return out;
}

inline std::uint32_t AddSaturated(std::uint32_t a, std::uint32_t b) {
    std::uint32_t out = 0;
    for (int s = 0; s < 32; s += 8)
        out |= std::min(((a >> s) & 0xFFu) + ((b >> s) & 0xFFu), 255u) << s;
    return out;
}

// Rows of one composition: the crop's, the three panels' (none for a panel
// that takes no pixels) and the merge's (none without a merge picture).
struct Rows {
    const std::uint32_t* src;
    std::uint32_t* panel[3];
    std::uint32_t* merge;
};

// What the merge of a pixel starts from: all ones when a layer in the merge is
// white (a panel without a channel), which makes every component 255.
struct Merge {
    std::uint32_t base = kOpaque;
};

void ComposePixels(const Rows& r, int from, int to, const PanelRule (&rule)[3], Merge m) {
    for (int x = from; x < to; ++x) {
        const std::uint32_t px = r.src[x];
        std::uint32_t sum = 0;
        for (int k = 0; k < 3; ++k) {
            if (r.panel[k]) r.panel[k][x] = kOpaque | Shuffle(px, rule[k].panel);
            sum = AddSaturated(sum, Shuffle(px, rule[k].layer));
        }
        if (r.merge) r.merge[x] = m.base | sum;
    }
}

#if defined(QV_MONTAGE_SHUFFLE)
// The byte controls of a rule for four pixels at once.
__attribute__((target("ssse3"))) __m128i Controls(const std::uint8_t (&ctl)[4]) {
    alignas(16) std::uint8_t bytes[16];
    for (int lane = 0; lane < 4; ++lane)
        for (int i = 0; i < 4; ++i)
            bytes[4 * lane + i] = ctl[i] & kZero ? kZero : static_cast<std::uint8_t>(ctl[i] + 4 * lane);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(bytes));
}

// Four pixels at a time; returns where the scalar tail starts.
__attribute__((target("ssse3"))) int ComposeShuffled(const Rows& r, int w,
                                                      const PanelRule (&rule)[3], Merge m) {
    __m128i panel[3], layer[3];
    for (int k = 0; k < 3; ++k) {
        panel[k] = Controls(rule[k].panel);
        layer[k] = Controls(rule[k].layer);
    }
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(kOpaque));
    const __m128i base = _mm_set1_epi32(static_cast<int>(m.base));
    int x = 0;
    for (; x + 4 <= w; x += 4) {
        const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r.src + x));
        __m128i sum = _mm_setzero_si128();
        for (int k = 0; k < 3; ++k) {
            if (r.panel[k])
                _mm_storeu_si128(reinterpret_cast<__m128i*>(r.panel[k] + x),
                                 _mm_or_si128(opaque, _mm_shuffle_epi8(px, panel[k])));
            sum = _mm_adds_epu8(sum, _mm_shuffle_epi8(px, layer[k]));
        }
        if (r.merge)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(r.merge + x), _mm_or_si128(base, sum));
    }
    return x;
}

bool HaveShuffle() {
    static const bool have = __builtin_cpu_supports("ssse3");
    return have;
}
#endif

}  // namespace

std::array<int, 3> ChannelPanels(const std::array<int, 3>& channelRows) {
    std::array<int, 3> panel = {1, 2, 3};
    for (int k : {3, 1, 2}) {
        const int row = channelRows[static_cast<size_t>(k - 1)];
        if (row >= kChannelRed && row <= kChannelBlue) panel[static_cast<size_t>(row - 1)] = k;
    }
    return panel;
}

void drawtwo(const MontagePictures& pic, const MontageChoices& choices, bool fourmodetrue) {
    const PicturePtr& crop = pic[0];
    if (!crop) return;
    int w = crop->Width(), h = crop->Height();
    for (size_t k = 1; k < pic.size(); ++k) {
        if (!pic[k]) continue;
        w = std::min(w, pic[k]->Width());
        h = std::min(h, pic[k]->Height());
    }

    // Channels are drawn in the order red, green, blue, so where two share a
    // panel the later one is what the panel and its layer hold.
    const std::array<int, 3> panelOf = ChannelPanels(choices.channel);
    int held[3] = {-1, -1, -1};
    for (int c = 0; c < 3; ++c) held[panelOf[static_cast<size_t>(c)] - 1] = c;

    const int layers = fourmodetrue ? 3 : 2;  // layer 3 enters the merge only in the grid
    PanelRule rule[3];
    Merge merge;
    for (int k = 0; k < 3; ++k) {
        const int c = held[k];
        if (c < 0) {
            if (k < layers) merge.base = 0xFFFFFFFFu;
            continue;
        }
        const int mode = choices.mode[static_cast<size_t>(k)];
        rule[k].held = true;
        if (mode == kModeColor) SetPure(rule[k].panel, c);
        else SetGrey(rule[k].panel, c);
        if (k >= layers) continue;
        if (mode == kModePhase) SetGrey(rule[k].layer, c);
        else SetPure(rule[k].layer, c);
    }

    auto row = [&pic](size_t k, int y) -> std::uint32_t* {
        return pic[k] ? reinterpret_cast<std::uint32_t*>(pic[k]->Image().scanLine(y)) : nullptr;
    };
    for (int y = 0; y < h; ++y) {
        Rows r;
        r.src = reinterpret_cast<const std::uint32_t*>(crop->Image().constScanLine(y));
        for (int k = 0; k < 3; ++k)
            r.panel[k] = rule[k].held ? row(static_cast<size_t>(k + 1), y) : nullptr;
        r.merge = row(4, y);
        int x = 0;
#if defined(QV_MONTAGE_SHUFFLE)
        if (HaveShuffle()) x = ComposeShuffled(r, w, rule, merge);
#endif
        ComposePixels(r, x, w, rule, merge);
    }
}

}  // namespace qv
