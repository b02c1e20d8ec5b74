#pragma once

// The channel merge of a PIC stack: the channel letters chosen by the import
// window's controls, the status lines of a merge, and the merge of the planes
// of one file, or of one image from each of several files, into a picture.

#include <QString>
#include <functional>
#include <span>

#include "biorad/core/pic_reader.h"
#include "platform/core/picture.h"

namespace qv {

// The channel order pop-up's rows, and the grey and omission menus' row texts
// ("Sep" is a separator row).
inline constexpr const char* kChannelOrders[] = {"RGB", "RBG", "GRB", "GBR", "BRG", "BGR"};
inline constexpr const char* kGreyMenuRows =
    "Select gray channel,Sep,R=gray,G=gray,B=gray,Sep,No gray channel";
inline constexpr const char* kOmitMenuRows =
    "Select channel to ignore,Sep,R=black,G=black,B=black,Sep,Do not ignore";

// The letters of a merge: position k names what image (or file) k becomes:
// "R", "G", "B", "X" the grey plane added to all three, "K" left out. Starts as
// the order and takes "X" for the channel of grey row 2-4, then "K" for the
// channel of omission row 2-4 (a channel already "X" stays "X"); other rows
// change nothing.
QString ChannelLetters(const QString& order, int greyRow, int omitRow);

// Status lines. A plane of letter R, G, B or X being read, count being the
// images of a file ("512x512 3 channels, processing red...") or the files of a
// drop (then always "channels"):
QString PlaneStatus(int nx, int ny, int count, bool plural, QChar letter);
// Before the merge loop: "512x512 , merging...".
QString MergingStatus(int nx, int ny);
// At the end: "Change channel order or click Done".
QString MergedStatus();

// The planes read for one merge; an empty plane contributes 0.
struct ChannelPlanes {
    PicPlane red, green, blue, grey;
    // Keeps a plane read for letter R, G, B or X.
    void Take(QChar letter, PicPlane plane);
};

// A new picture: pixel (x, y) is RGB(r + p, g + p, b + p), each component
// saturating at 255, where r, g, b, p are the red, green, blue and grey planes'
// bytes. keepAlive runs between bands of rows. None when memory is short.
PicturePtr MergeChannels(const ChannelPlanes& planes, int nx, int ny,
                         const std::function<void()>& keepAlive = {});

// What a merge reports while it runs.
struct MergeHooks {
    std::function<void(const QString&)> status;  // each status line, in order
    std::function<void()> keepAlive;             // between planes and bands of rows
    std::function<void(int k)> beforeFile;       // several files: before file k, whatever its letter
};

struct MergeResult {
    PicturePtr pix;   // none when the merge could not run
    QString problem;  // why, for a message
};

// The single-file merge: file fol is opened afresh and checked against the
// stack's header; image i (i < 3) is read for letter i. Images after the third
// are never read.
MergeResult RenderStack(const PicSource& fol, const PicHeader& h, const QString& letters,
                        const MergeHooks& hooks = {});

// Image `image` (from 0) of the single file fol as a grey picture, as a
// one-image file shows: statuses "processing phase..." and then the merged line.
MergeResult RenderImage(const PicSource& fol, const PicHeader& h, int image,
                        const MergeHooks& hooks = {});

// The several-file merge: file k gives its image framen for letter k; a file
// of letter "K" is not opened. Every file opened is checked against the header.
MergeResult RenderFiles(std::span<const PicSource> files, const PicHeader& h, int framen,
                        const QString& letters, const MergeHooks& hooks = {});

}  // namespace qv
