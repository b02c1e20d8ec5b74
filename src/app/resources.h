#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <memory>

#include "platform/movie.h"
#include "platform/core/picture.h"

namespace qv {

// A mouse cursor of the resources: the cursor, its hot spot and the picture it
// shows (with alpha: clear pixels show what lies below).
struct MouseCursor {
    QCursor Cursor;
    QPoint HotSpot;
    QImage Image;
};
using MouseCursorPtr = std::shared_ptr<MouseCursor>;

// The application's resource file. Every asset is found by its kind and id at
// Root() + kind + "/" + id: pictures (kind "picture", any image format Qt
// reads), byte resources (any kind, e.g. "TEXT"), movies ("movie") and cursors
// ("cursor": a picture with alpha; the hot spots of all cursors are listed in
// "cursor/hotspots.json" as {"id": [x, y]}, a cursor not listed there has its
// hot spot at (0, 0)). Each call reads the resource anew; a missing or
// unreadable resource gives none.
namespace ResourceFile {

PicturePtr GetPicture(int id);
// The bytes of a resource; empty when it is missing (*found tells apart an
// empty resource from a missing one).
QByteArray GetResource(const QString& kind, int id, bool* found = nullptr);
MoviePtr GetMovie(int id);
MouseCursorPtr GetCursor(int id);

// Where resources are looked for: ":/" (the resources compiled into the
// program) unless a test points it elsewhere. Ends with a '/'.
QString Root();
// For tests: looks for resources under another root (a '/' is added when
// missing); an empty root restores the compiled-in resources.
void SetRoot(const QString& root);
// For tests: how often a resource was read (found or not) since the last
// ResetReads.
int Reads(const QString& kind, int id);
void ResetReads();

}  // namespace ResourceFile

// The asset accessors. Each loads its asset on first use and returns the same
// object afterwards; a missing asset is not stored, so the next call looks
// again. `demo` is read once: when missing it stays empty for the run.
PicturePtr QVlogga128();          // picture 168: the 128 x 128 product logo
QByteArray demo();                // TEXT 168: the bytes of the demo image file
PicturePtr yelCurs();             // picture 170: yellow marker, white drawn transparent
PicturePtr arrowBlack();          // picture 171: black arrow marker, white drawn transparent
PicturePtr arrowWhiteBG();        // picture 172: the 16 x 16 white arrow
PicturePtr arrowBlacknonT();      // picture 173: the white arrow's mask (black where it shows)
PicturePtr yelCursIcon();         // picture 174: tool icon of the yellow marker
PicturePtr arrowWhiteIcon();      // picture 175: tool icon of the white arrow
PicturePtr arrowBlackIcon();      // picture 176: tool icon of the black arrow
MoviePtr small();                 // movie 168: the second logo movie of the splash
MoviePtr small2();                // movie 169: the splash's logo movie
MouseCursorPtr cursArrowWhite();  // cursor 169: the white-arrow tool's cursor
MouseCursorPtr cursArrowBlack();  // cursor 171: the black-arrow tool's cursor

// Empties every accessor's slot (and `demo`'s loaded flag), in the order of
// the accessors above. The finaliser calls it; afterwards every accessor loads
// afresh.
void ReleaseResources();

}  // namespace qv
