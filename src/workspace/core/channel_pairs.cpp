#include "workspace/core/channel_pairs.h"

namespace qv {

const ChannelPair* FindChannelPair(const QString& mode) {
    for (const ChannelPair& p : kChannelPairs)
        if (mode == QLatin1String(p.mode)) return &p;
    return nullptr;
}

}  // namespace qv
