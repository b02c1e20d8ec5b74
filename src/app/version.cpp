#include "app/version.h"

#include "platform/core/text.h"

namespace qv {

QString OwnVersionText(int major, int minor, int bug) {
    return Str(major) + Str(minor) + Str(bug);
}

VersionReply ReadVersionReply(const QString& content, const QString& own) {
    VersionReply r;
    r.latest = NthField(content, QStringLiteral("*"), 2);
    r.details = NthField(content, QStringLiteral("*"), 3);
    r.newer = Val(own) < Val(r.latest);
    return r;
}

}  // namespace qv
