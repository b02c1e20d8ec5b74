#pragma once

#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <cstdlib>
#include <utility>

namespace qv::test {

// The first and last columns of a control's picture that hold ink (its text,
// set off from the background), inside the border of an edit field's frame;
// -1 when there is none.
inline std::pair<int, int> InkColumns(QWidget* control) {
    const QImage img = control->grab().toImage();
    const int border = qobject_cast<QLineEdit*>(control) ? 3 : 0;
    if (img.width() <= 2 * border || img.height() <= 2 * border) return {-1, -1};
    const int background = qGray(img.pixel(border, border));
    int first = -1, last = -1;
    for (int x = border; x < img.width() - border; ++x)
        for (int y = border; y < img.height() - border; ++y)
            if (std::abs(qGray(img.pixel(x, y)) - background) > 40) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

// The width of a text's ink in a control of the same kind, state, colours, font
// and alignment with room to spare.
template <class T>
int WholeInkWidth(T* like, const QString& text) {
    T roomy;
    roomy.setEnabled(like->isEnabled());
    roomy.setPalette(like->palette());
    roomy.setFont(like->font());
    roomy.setAlignment(like->alignment());
    roomy.resize(1000, like->height());
    roomy.SetText(text);
    const auto [first, last] = InkColumns(&roomy);
    return last - first;
}

// Whether a control shows its whole text: its ink is as wide as with room to
// spare, and the control lies inside its window's content area.
template <class T>
bool ShowsWholeText(T* control) {
    const auto [first, last] = InkColumns(control);
    if (last - first != WholeInkWidth(control, control->Text())) return false;
    QWidget* content = control->parentWidget();
    while (content && content->parentWidget() && content->parentWidget()->parentWidget())
        content = content->parentWidget();
    if (!content) return true;
    const QRect inContent(control->mapTo(content, QPoint(0, 0)), control->size());
    return content->rect().contains(inContent);
}

}  // namespace qv::test
