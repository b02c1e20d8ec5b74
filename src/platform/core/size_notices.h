#pragma once

#include <QSize>
#include <vector>

namespace qv {

// What a window makes of the sizes the desktop reports for it.
//
// The desktop reports sizes in the order it applied them, so a size the
// program asked for (the size it showed the window at, or one it asked for
// since) may still be reported after the program has asked for another: such
// a late notice is nobody's new size. Any other size is the user's or the
// desktop's own, and once one has come, none of the program's earlier sizes
// can come any more. Sizes are the window's whole client area.
class SizeNotices {
public:
    enum class Notice {
        Own,   // the program's present size: the desktop has caught up with it
        Late,  // one of the program's earlier sizes, reported late
        New,   // a size the user or the desktop gave the window
    };

    // How often a window asks again for a size the program set, at most.
    static constexpr int kAsksAgain = 3;

    // The program asks the desktop for `size`, or shows the window at it.
    void Asked(QSize size);
    // The desktop reports `size` while the program's own size is `own`.
    Notice Reported(QSize size, QSize own);

    // The program set a size of its own: it may ask for it again anew.
    void Set() { asksAgain_ = 0; }
    // Counts one more request for the program's size; false, and nothing
    // counted, once the count for that size is spent.
    bool AskAgain();

private:
    // The sizes asked for that the desktop has not yet reported, oldest first.
    std::vector<QSize> pending_;
    int asksAgain_ = 0;
};

}  // namespace qv
