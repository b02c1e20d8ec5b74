#pragma once

#include <QMargins>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

#include "platform/core/folderitem.h"
#include "platform/core/picture.h"

namespace qv {

// The options of the TIFF files a frame series is saved as.
struct TiffSettings {
    enum class Compression { None, Lzw };
    Compression compression = Compression::None;
    friend bool operator==(const TiffSettings&, const TiffSettings&) = default;
};

// The seam between the program and the desktop: everything that would block on
// the user or reach outside the process. The desktop implementation uses Qt's
// dialogs; tests install a scripted fake.
class Services {
public:
    virtual ~Services() = default;

    // A modal message box; returns the button pressed (1 for OK).
    virtual int MsgBox(const QString& text) = 0;
    // A modal question with the buttons `yes` and "Cancel"; true for `yes`.
    virtual bool Confirm(const QString& text, const QString& yes) = 0;
    virtual void Beep() = 0;
    // Open and save dialogs filtered by file-type names (";"-separated). None on cancel.
    virtual FolderItemPtr GetOpenFolderItem(const QString& fileTypes) = 0;
    virtual FolderItemPtr GetSaveFolderItem(const QString& fileTypes, const QString& name) = 0;
    // The save dialog of ExportPicture: a path whose extension names the format, or "" on cancel.
    // The dialog adds the picked format's extension to a name given without one, and asks
    // before it names a file that exists.
    virtual QString GetPictureSavePath() = 0;
    // Opens an address in the desktop's browser or mail program; false when none could.
    virtual bool ShowURL(const QString& url) = 0;

    virtual QString ClipboardText() = 0;
    virtual void SetClipboardText(const QString& text) = 0;
    virtual PicturePtr ClipboardPicture() = 0;
    virtual void SetClipboardPicture(const PicturePtr& p) = 0;

    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // The part of the screen that windows may use (without the desktop's own
    // panels), on the screen under the centre of `window`.
    virtual QRect AvailableArea(const QRect& window) {
        (void)window;
        return QRect(0, 0, ScreenWidth(), ScreenHeight());
    }
    // The extents of the frame the desktop's window manager draws around a
    // top-level window (title bar and borders), once it has reported them for
    // that window; none before the window is first shown and managed, and none
    // where no window manager draws frames (offscreen).
    virtual std::optional<QMargins> FrameExtents(const QWidget* window) {
        (void)window;
        return std::nullopt;
    }
    virtual bool ShiftKey() = 0;
    // Drags a picture out of `source`: the user sees the outline of `outline`
    // (in the source's own pixels) and the receiving application decides what
    // to do with the picture, and with `text` (its name) when one is given.
    // Returns when the drag is over.
    virtual void DragPicture(QWidget* source, const QRect& outline, const PicturePtr& picture,
                             const QString& text = QString()) = 0;
    // The TIFF settings dialog: the options the user picks, starting from
    // `current`; `current` when the dialog is cancelled.
    virtual TiffSettings RequestTiffSettings(const TiffSettings& current) = 0;
    // Writes a picture as a TIFF file with these options, whole or not at all;
    // false when it could not be written completely.
    virtual bool WriteTiff(const PicturePtr& p, const FolderItemPtr& file,
                           const TiffSettings& settings) = 0;
};

// The frame extents the window manager reports, through Qt's platform plugin,
// for a shown top-level window; none while it reports none, and none offscreen
// (the desktop implementation of FrameExtents).
std::optional<QMargins> ReportedFrameExtents(const QWidget* window);
// Whether windows get frames from a window manager at all (not offscreen).
bool WindowManagerDrawsFrames();

// The services in use; the desktop implementation unless one was installed.
Services& Platform();
// Installs services (tests); nullptr goes back to the desktop implementation.
// Returns the previous installed services.
std::unique_ptr<Services> InstallServices(std::unique_ptr<Services> services);

// Counts a message box or dialog as open for its own life. Each one runs an
// event loop of its own, in which drops and timers still arrive; a window
// that must not take anything in meanwhile asks DialogOpen.
class OpenDialog {
public:
    OpenDialog();
    ~OpenDialog();
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;
};
// Whether a message box or dialog asked for through the forms below is open.
bool DialogOpen();

// Free-function forms of the services, as the windows call them.
inline int MsgBox(const QString& text) {
    const OpenDialog open;
    return Platform().MsgBox(text);
}
inline bool Confirm(const QString& text, const QString& yes) {
    const OpenDialog open;
    return Platform().Confirm(text, yes);
}
inline void Beep() { Platform().Beep(); }
inline FolderItemPtr GetOpenFolderItem(const QString& fileTypes) {
    const OpenDialog open;
    return Platform().GetOpenFolderItem(fileTypes);
}
inline FolderItemPtr GetSaveFolderItem(const QString& fileTypes, const QString& name) {
    const OpenDialog open;
    return Platform().GetSaveFolderItem(fileTypes, name);
}
inline TiffSettings RequestTiffSettings(const TiffSettings& current) {
    const OpenDialog open;
    return Platform().RequestTiffSettings(current);
}
// Opens an address; when the desktop cannot, a message box gives the address
// so that the user can open it by hand.
void ShowURL(const QString& url);

// The picture save dialog: the user picks a name and, by its extension, one of
// the formats Qt can write. A write that fails is reported in a message box.
// Returns whether a file was written.
bool ExportPicture(const PicturePtr& p);

// Writes a picture in the format of the path's extension (letter case
// ignored), whole or not at all; false when it cannot, with the reason in
// `error`. An earlier file of that name then stays as it was.
bool WritePicture(const PicturePtr& p, const QString& path, QString* error = nullptr);

// The TIFF writer behind Services::WriteTiff, whole or not at all like
// WritePicture; false (with the reason in `error`) when the file could not be
// written completely.
bool WriteTiffFile(const PicturePtr& p, const FolderItemPtr& file, const TiffSettings& settings,
                   QString* error = nullptr);

}  // namespace qv
