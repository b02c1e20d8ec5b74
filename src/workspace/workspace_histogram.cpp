// Single-channel histogram on the Histogram page, its split statistics and the
// ROI intensity table behind "Save data".
#include <algorithm>

#include "platform/services.h"
#include "tools/tool_exports.h"
#include "workspace/core/channel_histogram.h"
#include "workspace/core/intensity_table.h"
#include "workspace/workspace_window.h"

namespace qv {

void Window1::CheckBox3_Action() { histodraw(); }

void Window1::histoRed_RB_Action() { histodraw(); }

void Window1::histoGreen_RB_Action() { histodraw(); }

void Window1::histoBlue_RB_Action() { histodraw(); }

void Window1::CheckBox2_Action() { histocalc(); }

void Window1::PushButton3_Action() { histosave(); }

void Window1::histodraw() {
    if (!poxc) return;
    staticText1->SetText(QString());
    StaticText2->SetText(QString());
    // Red until another channel is chosen; selecting it runs this draw from its action.
    if (!histoBlue_RB->Value() && !histoGreen_RB->Value()) histoRed_RB->SetValue(true);
    const Channel channel = histoRed_RB->Value()     ? Channel::Red
                            : histoGreen_RB->Value() ? Channel::Green
                                                     : Channel::Blue;
    CheckBox2->setVisible(true);
    CheckBox2->SetCaption(ZeroCountCaption(channel));

    PicturePtr picture = NewPicture(256, 256, 32);
    if (!picture) return;
    pox4 = picture;
    const HistogramBins bins = CountChannel(poxc, channel, RoiBox{msdownx, msdowny, msupx, msupy});
    his.assign(bins.begin(), bins.end());
    const std::int32_t maximum = HistogramMaximum(bins);
    Graphics& g = pox4->Graphics();
    g.ForeColor = BarColor(channel);
    const bool scaled = CheckBox3->Value();
    for (int i = 0; i < 256; ++i)
        g.DrawLine(i, 256, i, BarTop(bins[static_cast<size_t>(i)], maximum, scaled));
    Canvas3->SetBackdrop(pox4);
}

void Window1::histocalc() {
    histodraw();
    Canvas3->Refresh();
    HistogramBins bins{};
    std::copy_n(his.begin(), std::min<size_t>(his.size(), bins.size()), bins.begin());
    const HistogramSplit split = SplitHistogram(bins, msHistoX, CheckBox2->Value());
    Graphics& g = Canvas3->Graphics();
    g.ForeColor = kBlack;
    for (const PlacedText& t : SplitTexts(split, msHistoX)) g.DrawString(t.text, t.x, t.baseline);
    g.DrawLine(msHistoX, 0, msHistoX, 255);
}

void Window1::histosave() {
    if (!poxc) return;
    // The counts are those of the ROI as it is when the button is pressed.
    const IntensityHistograms counts =
        CountIntensities(poxc, RoiBox{msdownx, msdowny, msupx, msupy});
    const FolderItemPtr file =
        GetSaveFolderItem(QStringLiteral("application/vnd.ms-excel"), IntensityTableName(Title()));
    if (!file) return;
    SaveTable(*file, IntensityTableLines(file->Name(), counts));
}

}  // namespace qv
