#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>
#include <set>
#include <vector>

#include "platform/services.h"

namespace qv::test {

// Scripted desktop: dialogs answer from queues (none when a queue is empty),
// message boxes and beeps are recorded, the screen and the Shift key are set
// by the test.
class FakeServices final : public Services {
public:
    int MsgBox(const QString& text) override {
        messages << text;
        if (onMessage) onMessage(text);
        if (msgBoxReplies.empty()) return 1;
        const int r = msgBoxReplies.front();
        msgBoxReplies.pop_front();
        return r;
    }
    bool Confirm(const QString& text, const QString& yes) override {
        questions << text + QStringLiteral(" [") + yes + QLatin1Char(']');
        if (onDialog) onDialog();
        if (confirmReplies.empty()) return true;
        const bool r = confirmReplies.front();
        confirmReplies.pop_front();
        return r;
    }
    void Beep() override { ++beeps; }
    FolderItemPtr GetOpenFolderItem(const QString& fileTypes) override {
        openFilters << fileTypes;
        if (onDialog) onDialog();
        return Take(openItems);
    }
    FolderItemPtr GetSaveFolderItem(const QString& fileTypes, const QString& name) override {
        saveFilters << fileTypes;
        saveNames << name;
        if (onDialog) onDialog();
        return Take(saveItems);
    }
    QString GetPictureSavePath() override {
        ++pictureDialogs;
        if (onDialog) onDialog();
        if (picturePaths.empty()) return QString();
        QString p = picturePaths.front();
        picturePaths.pop_front();
        return p;
    }
    bool ShowURL(const QString& url) override {
        urls << url;
        return urlsOpen;
    }
    QString ClipboardText() override { return clipboardText; }
    void SetClipboardText(const QString& text) override { clipboardText = text; }
    PicturePtr ClipboardPicture() override { return clipboardPicture; }
    void SetClipboardPicture(const PicturePtr& p) override { clipboardPicture = p; }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    QRect AvailableArea(const QRect& window) override {
        return availableArea.isNull() ? Services::AvailableArea(window) : availableArea;
    }
    std::optional<QMargins> FrameExtents(const QWidget* window) override {
        if (frame && (!frameOnceShown || (window && window->isVisible()))) return frame;
        return ReportedFrameExtents(window);
    }
    bool ShiftKey() override { return shift; }
    void DragPicture(QWidget* source, const QRect& outline, const PicturePtr& picture,
                     const QString& text = QString()) override {
        drags.push_back({source, outline, picture, text});
    }
    TiffSettings RequestTiffSettings(const TiffSettings& current) override {
        tiffDialogs.push_back(current);
        if (onDialog) onDialog();
        if (tiffReplies.empty()) return current;  // cancelled
        const TiffSettings r = tiffReplies.front();
        tiffReplies.pop_front();
        return r;
    }
    bool WriteTiff(const PicturePtr& p, const FolderItemPtr& file,
                   const TiffSettings& settings) override {
        tiffWrites.push_back({file ? file->Name() : QString(), settings});
        if (onTiffWrite) onTiffWrite(static_cast<int>(tiffWrites.size()));
        if (failingTiffWrites.count(static_cast<int>(tiffWrites.size()))) return false;
        return WriteTiffFile(p, file, settings);
    }

    QStringList messages;
    std::function<void(const QString&)> onMessage;  // runs as each message box shows
    std::deque<int> msgBoxReplies;
    // Runs as each question, open, save, picture save or TIFF settings dialog shows.
    std::function<void()> onDialog;
    QStringList questions;          // each as "text [yes button]"
    std::deque<bool> confirmReplies;  // true (yes) when empty
    int beeps = 0;
    std::deque<FolderItemPtr> openItems;
    QStringList openFilters;
    std::deque<FolderItemPtr> saveItems;
    QStringList saveFilters;
    QStringList saveNames;
    std::deque<QString> picturePaths;
    int pictureDialogs = 0;
    QStringList urls;
    bool urlsOpen = true;  // whether the desktop has a browser and a mail program
    QString clipboardText;
    PicturePtr clipboardPicture;
    int screenWidth = 1280;
    int screenHeight = 1024;
    // The area windows may use; the whole screen when null.
    QRect availableArea;
    // The frame a window manager draws around every window, known before the
    // window shows; when none is set, the frame the platform plugin reports.
    std::optional<QMargins> frame;
    // The frame is told only once a window shows, as a window manager tells
    // it: a window is placed first without it.
    bool frameOnceShown = false;
    bool shift = false;
    // Pictures dragged out, in order; each drag is over at once.
    struct Drag {
        QWidget* source;
        QRect outline;
        PicturePtr picture;
        QString text;
    };
    std::vector<Drag> drags;
    // The TIFF settings dialog: the settings it opened with; it answers from
    // tiffReplies, or is cancelled when that is empty.
    std::vector<TiffSettings> tiffDialogs;
    std::deque<TiffSettings> tiffReplies;
    // TIFF files written, by name, with their settings. The n-th write (from 1)
    // fails when n is in failingTiffWrites; onTiffWrite(n) runs before each.
    struct TiffWrite {
        QString name;
        TiffSettings settings;
    };
    std::vector<TiffWrite> tiffWrites;
    std::set<int> failingTiffWrites;
    std::function<void(int)> onTiffWrite;

private:
    static FolderItemPtr Take(std::deque<FolderItemPtr>& q) {
        if (q.empty()) return nullptr;
        FolderItemPtr f = q.front();
        q.pop_front();
        return f;
    }
};

// Installs a fresh fake for the life of the object.
class ScopedFakeServices {
public:
    ScopedFakeServices();
    ~ScopedFakeServices();
    FakeServices* operator->() { return fake_; }
    FakeServices& operator*() { return *fake_; }

private:
    FakeServices* fake_;
};

// Runs the event loop until nothing is pending (posted events and deferred deletes).
void DrainEvents();

// The desktop gives a shown top-level window a client area of `size` (its
// content and menu bar together), as a user's resize or a tiling desktop
// does: the window system reports the new size to the window, as it reports
// any size the desktop applied.
void DesktopResizes(QWidget* window, QSize size);

}  // namespace qv::test
