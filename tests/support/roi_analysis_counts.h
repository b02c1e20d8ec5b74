#pragma once

#include <QStringList>

#include "platform/controls.h"
#include "tools/roi_analysis.h"

namespace qv::test {

// The eight counts the ROI analysis shows, in the order of its labels.
inline QStringList RoiAnalysisCounts(const Window11* r) {
    QStringList out;
    for (const StaticText* t : {r->StaticText7, r->StaticText8, r->StaticText9, r->StaticText10,
                                r->StaticText11, r->StaticText12, r->StaticText13, r->StaticText14})
        out << t->Text();
    return out;
}

}  // namespace qv::test
