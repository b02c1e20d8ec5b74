#pragma once

// The frame series of a PIC time series: the names of its frame files and its
// movie, the steps of the progress bar, the messages of the export, and the
// saved frames that are handed on to the workspace.

#include <QString>
#include <vector>

#include "platform/core/folderitem.h"

namespace qv {

// The movie's frames per second.
constexpr double kSeriesFrameRate = 32.0;

// Frame i (from 1) of the series named n: "Seq" and 10 give "Seq10.tif".
QString FrameFileName(const QString& n, int i);
// The movie of the series named n: "Seqmovie.mov".
QString MovieFileName(const QString& n);

// The progress bar after frame i of npics: the whole part of i / npics * 100.
int FrameProgress(int i, int npics);
// The bar within a frame, before file k of a merge of `files` files: the whole
// part of value + (1 / npics) * 100 * k / files.
int InFrameProgress(int value, int npics, int k, int files);

// Why a series named n cannot start: the name is taken, the folder or the
// movie in it cannot be created.
QString SeriesNameTaken(const QString& n);
QString SeriesFolderProblem(const QString& n);
QString SeriesMovieProblem(const QString& n);

// What an export did, for its closing message.
struct SeriesOutcome {
    int frames = 0;            // frames it was to make
    int made = 0;              // frames merged and added to the movie
    int unsaved = 0;           // frames made whose TIFF file could not be saved
    bool movieWritten = true;  // the movie holds every frame made
    QString stop;              // why it stopped before its last frame; "" when it did not
};
// "The QuickTime movie (along with its frames) is stored in the folder you
// specified in the previous dialog box." when every frame was made and saved
// and the movie written; otherwise what went wrong and that what was saved is
// in that folder.
QString SeriesMessage(const SeriesOutcome& o);

// The saved frame files fseq(1) to fseq(npics), in order, without the frames
// that could not be saved.
std::vector<FolderItemPtr> SavedFrames(const std::vector<FolderItemPtr>& fseq, int npics);

// "Done" with "Movie" when no export of the stack in the window finished, and
// when the one that did saved no frame.
QString NoSeriesToHandOver();
QString NoFramesSaved();

}  // namespace qv
