#include "biorad/core/frame_series.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>

#include "platform/core/text.h"

namespace qv {

namespace {

QString Quoted(const QString& name) { return QLatin1Char('"') + name + QLatin1Char('"'); }

QString Because(const QString& reason) {
    return reason.isEmpty() ? QString() : QStringLiteral(" (") + reason + QLatin1Char(')');
}

// Removes the files a series put in its folder, then the folder, which goes
// only when nothing else is in it. True when the folder is gone.
bool RemoveSeriesFolder(const FolderItemPtr& folder, const std::vector<FolderItemPtr>& files) {
    for (const FolderItemPtr& f : files)
        if (f->Exists()) f->Delete();
    folder->Delete();
    return !folder->Exists();
}

}  // namespace

QString FrameFileName(const QString& n, int i) { return n + Str(i) + QStringLiteral(".tif"); }

QString MovieFileName(const QString& n) { return n + QStringLiteral("movie.mov"); }

// In whole numbers: in floating point 29 / 100 * 100 would truncate to 28.
int FrameProgress(int i, int npics) {
    if (npics <= 0) return 0;
    return static_cast<int>(static_cast<std::int64_t>(i) * 100 / npics);
}

int InFrameProgress(int value, int npics, int k, int files) {
    if (npics <= 0 || files <= 0) return value;
    return value + static_cast<int>(static_cast<std::int64_t>(k) * 100 /
                                    (static_cast<std::int64_t>(npics) * files));
}

QString SeriesNameTaken(const QString& n) {
    return QStringLiteral("%1 already exists there. The frames and the movie go into a new "
                          "folder: choose a name that is not taken. Nothing was written.")
        .arg(Quoted(n));
}

QString SeriesFolderProblem(const QString& n) {
    return QStringLiteral("The folder %1 cannot be created there. Nothing was written.")
        .arg(Quoted(n));
}

QString SeriesMovieProblem(const QString& n, const QString& reason, bool folderRemoved) {
    const QString cannot = QStringLiteral("The movie %1 cannot be created in the folder %2%3.")
                               .arg(Quoted(MovieFileName(n)), Quoted(n), Because(reason));
    return cannot + (folderRemoved
                         ? QStringLiteral(" The folder was removed again: nothing was written.")
                         : QStringLiteral(" The new folder %1 could not be removed again.")
                               .arg(Quoted(n)));
}

QString SeriesMessage(const SeriesOutcome& o) {
    if (o.stop.isEmpty() && o.unsaved == 0 && o.movieWritten)
        return QStringLiteral("The QuickTime movie (along with its frames) is stored in the folder "
                              "you specified in the previous dialog box.");
    QStringList text;
    if (!o.stop.isEmpty()) {
        text << o.stop;
        text << (o.made == 0 ? QStringLiteral("The export stopped before its first frame.")
                             : QStringLiteral("The export stopped after frame %1 of %2.")
                                   .arg(Str(o.made), Str(o.frames)));
    }
    if (!o.movieWritten) {
        text << QStringLiteral(
                    "The movie %1 could not be written%2; its unfinished file was removed.")
                    .arg(Quoted(o.movie), Because(o.movieError));
        if (o.stop.isEmpty() && o.made < o.frames)
            text << QStringLiteral("The export stopped after frame %1 of %2.")
                        .arg(Str(o.made), Str(o.frames));
    }
    // Frames not saved are in the movie only when it was written.
    const QString it = o.movieWritten ? QStringLiteral(", and it is in the movie") : QString();
    const QString they = o.movieWritten ? QStringLiteral(", and they are in the movie") : QString();
    if (o.unsaved == 1 && o.made == 1)
        text << QStringLiteral("The frame could not be saved as a TIFF file: it beeped%1.").arg(it);
    else if (o.unsaved == 1)
        text << QStringLiteral("1 of the %1 frames could not be saved as a TIFF file: it beeped%2.")
                    .arg(Str(o.made), it);
    else if (o.unsaved > 1)
        text << QStringLiteral(
                    "%1 of the %2 frames could not be saved as TIFF files: each beeped%3.")
                    .arg(Str(o.unsaved), Str(o.made), they);
    const QString folder = QStringLiteral("the folder you specified in the previous dialog box");
    const int saved = o.made - o.unsaved;
    if (o.movieWritten)
        text << QStringLiteral("What was saved is stored in %1.").arg(folder);
    else if (saved == 1)
        text << QStringLiteral("The frame saved whole is kept in %1.").arg(folder);
    else if (saved > 1)
        text << QStringLiteral("The %1 frames saved whole are kept in %2.").arg(Str(saved), folder);
    else if (o.removed)
        text << QStringLiteral("No frame was saved, and %1 was removed again.").arg(folder);
    else
        text << QStringLiteral("No frame was saved; %1 could not be removed again.").arg(folder);
    return text.join(QLatin1Char(' '));
}

QString StartSeries(const FolderItemPtr& folder, SeriesMovie& movie, int width, int height) {
    const QString n = folder->Name();
    if (folder->Exists()) return SeriesNameTaken(n);
    if (!folder->CreateAsFolder()) return SeriesFolderProblem(n);
    const FolderItemPtr file = folder->Child(MovieFileName(n));
    if (!movie.Open(file->AbsolutePath(), width, height, kSeriesFrameRate))
        return SeriesMovieProblem(n, movie.ErrorText(), RemoveSeriesFolder(folder, {file}));
    return QString();
}

SeriesOutcome RunSeries(const FolderItemPtr& folder, int npics, SeriesMovie& movie,
                        const SeriesSteps& steps, std::vector<FolderItemPtr>& fseq) {
    const QString n = folder->Name();
    SeriesOutcome outcome;
    outcome.frames = npics;
    for (int i = 1; i <= npics; ++i) {
        const PicturePtr frame = steps.makeFrame(i, &outcome.stop);
        if (!frame) break;
        const FolderItemPtr file = folder->Child(FrameFileName(n, i));
        if (steps.saveFrame(frame, file)) {
            fseq[static_cast<std::size_t>(i)] = file;
        } else {
            steps.beep();
            ++outcome.unsaved;
        }
        steps.frameDone(i, FrameProgress(i, npics));
        ++outcome.made;
        // A movie that failed takes no further frame: the export stops here.
        if (!movie.AppendPicture(frame)) {
            outcome.movieWritten = false;
            break;
        }
        steps.keepAlive();
    }
    if (!movie.Finish()) outcome.movieWritten = false;
    if (outcome.movieWritten) return outcome;
    outcome.movie = MovieFileName(n);
    outcome.movieError = movie.ErrorText();
    // The movie's unfinished file went with its failed Finish; the frames
    // saved whole stay where they are, and the folder goes only when it holds
    // nothing.
    if (outcome.made == outcome.unsaved) outcome.removed = folder->Delete();
    return outcome;
}

std::vector<FolderItemPtr> SavedFrames(const std::vector<FolderItemPtr>& fseq, int npics) {
    std::vector<FolderItemPtr> out;
    const int last = std::min(npics, static_cast<int>(fseq.size()) - 1);
    for (int i = 1; i <= last; ++i)
        if (fseq[static_cast<std::size_t>(i)]) out.push_back(fseq[static_cast<std::size_t>(i)]);
    return out;
}

QString NoSeriesToHandOver() {
    return QStringLiteral("With \"Movie\" checked, \"Done\" hands over the frames saved for this "
                          "stack, and none were: drop the stack again to save its frames, or "
                          "uncheck \"Movie\" to hand over the picture.");
}

QString NoFramesSaved() {
    return QStringLiteral("None of the frames of this stack could be saved: there are no frames "
                          "to hand over.");
}

}  // namespace qv
