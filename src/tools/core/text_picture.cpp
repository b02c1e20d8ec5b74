#include "tools/core/text_picture.h"

namespace qv {

std::vector<PictureText> TextPictureLayout(std::span<const TextControl> controls) {
    std::vector<PictureText> out;
    Color pen = kBlack;
    for (const TextControl& c : controls) {
        if (c.kind == TextControl::Kind::Other) continue;
        if (c.kind == TextControl::Kind::Label) pen = c.colour;
        out.push_back({c.text, c.left, c.top + 10, pen});
    }
    return out;
}

PicturePtr DrawTextPicture(int width, int height, std::span<const PictureText> texts) {
    PicturePtr p = NewPicture(width, height, 32);
    if (!p) return nullptr;
    Graphics& g = p->Graphics();
    for (const PictureText& t : texts) {
        g.ForeColor = t.colour;
        g.DrawString(t.text, t.x, t.baseline);
    }
    return p;
}

}  // namespace qv
