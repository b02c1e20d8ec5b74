#include "platform/core/size_notices.h"

#include <algorithm>

namespace qv {

namespace {

// More requests than this are never outstanding at once; the oldest give way.
constexpr size_t kMostPending = 16;

}  // namespace

void SizeNotices::Asked(QSize size) {
    if (pending_.size() == kMostPending) pending_.erase(pending_.begin());
    pending_.push_back(size);
}

SizeNotices::Notice SizeNotices::Reported(QSize size, QSize own) {
    const auto asked = std::find(pending_.begin(), pending_.end(), size);
    const bool wasAsked = asked != pending_.end();
    // The desktop has applied that request, and every one before it; after a
    // size of the user's or the desktop's own, none of them is still to come.
    pending_.erase(pending_.begin(), wasAsked ? asked + 1 : pending_.end());
    if (size == own) return Notice::Own;
    return wasAsked ? Notice::Late : Notice::New;
}

bool SizeNotices::AskAgain() {
    if (asksAgain_ >= kAsksAgain) return false;
    ++asksAgain_;
    return true;
}

}  // namespace qv
