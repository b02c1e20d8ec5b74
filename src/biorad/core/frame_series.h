#pragma once

// The frame series of a PIC time series: the names of its frame files and its
// movie, the steps of the progress bar, the messages of the export, and the
// saved frames that are handed on to the workspace.

#include <QString>
#include <functional>
#include <vector>

#include "platform/core/folderitem.h"
#include "platform/core/picture.h"

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
// movie in it cannot be created (for `reason`, "" when none is known; the
// new folder then removed again, or not).
QString SeriesNameTaken(const QString& n);
QString SeriesFolderProblem(const QString& n);
QString SeriesMovieProblem(const QString& n, const QString& reason, bool folderRemoved);

// What an export did, for its closing message.
struct SeriesOutcome {
    int frames = 0;            // frames it was to make
    int made = 0;              // frames merged and added to the movie
    int unsaved = 0;           // frames made whose TIFF file could not be saved
    bool movieWritten = true;  // the movie holds every frame made and was put in place
    QString stop = {};         // why it stopped before its last frame; "" when it did not
    // When the movie was not written: the movie's name, why not ("" when not
    // known), and whether the series' folder, empty as no frame was saved in
    // it, was removed again.
    QString movie = {};
    QString movieError = {};
    bool removed = false;
};
// "The QuickTime movie (along with its frames) is stored in the folder you
// specified in the previous dialog box." when every frame was made and saved
// and the movie written; otherwise what went wrong, how many frames could not
// be saved, and what is left of the series: the frames saved whole stay when
// the movie fails.
QString SeriesMessage(const SeriesOutcome& o);

// The movie of a series, as the export drives it: created with one video
// track, a picture appended per frame, finished at the end.
class SeriesMovie {
public:
    virtual ~SeriesMovie() = default;
    virtual bool Open(const QString& path, int width, int height, double frameRate) = 0;
    virtual bool AppendPicture(const PicturePtr& picture) = 0;
    // Writes what is left and closes the file; false when the movie is not
    // whole, and its unfinished file is then gone.
    virtual bool Finish() = 0;
    // Why Open or Finish failed ("" when not known).
    virtual QString ErrorText() const = 0;
};

// Makes the new folder of a series and creates its movie of width x height in
// it. Returns why the series cannot start ("" when it can); a folder made for
// it is then removed again. A folder or file that exists is never written into
// or over.
QString StartSeries(const FolderItemPtr& folder, SeriesMovie& movie, int width, int height);

// What the export asks of its window for each frame.
struct SeriesSteps {
    // Makes frame i (from 1) and gives it; or gives none and says why not.
    std::function<PicturePtr(int i, QString* problem)> makeFrame;
    // Saves a frame as a TIFF file; false when it could not be saved whole.
    std::function<bool(const PicturePtr& frame, const FolderItemPtr& file)> saveFrame;
    std::function<void()> beep;
    // After frame i is saved: the progress bar's new value.
    std::function<void(int i, int progress)> frameDone;
    // After frame i is in the movie: the window's events run.
    std::function<void()> keepAlive;
};

// The frame loop of a started series named after its folder: every frame
// made, saved as a TIFF file (a frame not saved beeps and leaves its fseq
// entry as it was; a saved one is fseq(i)) and appended to the movie, which
// is finished at the end. Stops at the first frame that cannot be made. When
// the movie cannot be written whole, the export stops; the frames saved whole
// stay in the folder and in fseq, and the folder is removed again only when no
// frame was saved in it. fseq must hold entries 0 to npics.
SeriesOutcome RunSeries(const FolderItemPtr& folder, int npics, SeriesMovie& movie,
                        const SeriesSteps& steps, std::vector<FolderItemPtr>& fseq);

// The saved frame files fseq(1) to fseq(npics), in order, without the frames
// that could not be saved.
std::vector<FolderItemPtr> SavedFrames(const std::vector<FolderItemPtr>& fseq, int npics);

// "Done" with "Movie" when no export of the stack in the window finished, and
// when the one that did saved no frame.
QString NoSeriesToHandOver();
QString NoFramesSaved();

}  // namespace qv
