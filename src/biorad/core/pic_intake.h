#pragma once

// The import window's intake of dropped PIC files: the checks every file
// passes before any is taken, their order, the window's sizes and its
// "Processing" line.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <span>
#include <vector>

#include "biorad/core/pic_reader.h"

namespace qv {

// At most this many files (one per channel) are taken from one drop.
constexpr int kPicMaxFiles = 3;

// The order the files of a drop are kept in, as indexes into the drop: three
// files sorted by name, ascending (case ignored); one or two as dropped. The
// header is read from the last of them.
std::vector<int> DroppedFileOrder(const QStringList& names);

struct IntakeCheck {
    std::vector<int> order;  // DroppedFileOrder of the drop
    PicHeader header;        // of the last file in that order
    QString problem;         // "" when every file can be taken
};

// Checks every dropped file: at most three; each opens and is a readable stack
// (PicProblem); all have the header file's width and height and at least its
// image count.
IntakeCheck CheckDroppedFiles(std::span<const PicSource> dropped);

// An intake whose files all passed the checks, opened for the window.
struct IntakeRead {
    PicHeader header;                      // of the last file in order
    std::vector<int> order;                // DroppedFileOrder of the files
    std::unique_ptr<BinaryStream> stream;  // the header's file, at the first image's pixels
    PicturePtr grey;                       // a single one-image file, read as a grey picture
    QString problem;                       // "" when the files can be taken
};
// Checks every file (CheckDroppedFiles), opens the header's file again, checked
// against the header, and reads a single file's only image. Nothing is taken
// when problem is set.
IntakeRead ReadIntake(std::span<const PicSource> files);

// "Processing 512x512px, 3 channels" ("1 channel").
QString ProcessingText(const PicHeader& h);

// A control as laid out at its window's design size, and the edges it keeps
// its distance to when the window changes size (the left and top otherwise).
struct AnchoredControl {
    QRect rect;
    bool right = false;
    bool bottom = false;
    // A group box: the controls it frames lie whole inside it; no other
    // control may lie across it.
    bool frame = false;
    // A label may touch a frame's edge; buttons, boxes and menus may not.
    bool clickable = true;
};

// The least window size at which each of these controls lies whole inside
// the window on the edges that move with it, and no two of them overlap. A
// pair that would overlap in both directions is parted by the window's width
// where the width moves them apart, else by its height.
QSize LeastWindowSize(std::span<const AnchoredControl> controls, QSize design);

struct ImportSizes {
    int canvasWidth, canvasHeight, windowWidth, windowHeight;
    friend bool operator==(const ImportSizes&, const ImportSizes&) = default;
};
// The canvas and window for an image of nx x ny on a screen: the canvas
// min(nx, sw - 100) by min(ny + 120, sh - 150), the window min(nx + 50, sw - 30)
// by min(ny + 120, sh - 30), but never smaller than `least`.
ImportSizes ImportSizing(int nx, int ny, int screenWidth, int screenHeight, QSize least = {});

}  // namespace qv
