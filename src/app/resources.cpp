#include "app/resources.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPixmap>
#include <algorithm>

#include "platform/core/picture_reader.h"

// The compiled-in resources live in a static library: nothing would pull them
// into the program unless their initialiser is named. Q_INIT_RESOURCE must
// stand outside any namespace.
static void InitCompiledResources() {
    Q_INIT_RESOURCE(resources);
}

namespace qv {

namespace {

const QString kDefaultRoot = QStringLiteral(":/");

struct ResourceState {
    QString root = kDefaultRoot;
    QHash<QString, int> reads;
};

// Kept for the whole run; the first use also registers the compiled-in resources.
ResourceState& State() {
    static ResourceState* state = [] {
        InitCompiledResources();
        return new ResourceState;
    }();
    return *state;
}

QString Key(const QString& kind, int id) {
    return kind + QLatin1Char('/') + QString::number(id);
}

// One module-level slot per accessor, in the order of the table.
struct Slots {
    PicturePtr QVlogga128;
    QByteArray demo;
    bool demoLoaded = false;
    PicturePtr yelCurs;
    PicturePtr arrowBlack;
    PicturePtr arrowWhiteBG;
    PicturePtr arrowBlacknonT;
    PicturePtr yelCursIcon;
    PicturePtr arrowWhiteIcon;
    PicturePtr arrowBlackIcon;
    MoviePtr small;
    MoviePtr small2;
    MouseCursorPtr cursArrowWhite;
    MouseCursorPtr cursArrowBlack;
};

Slots& Slot() {
    static Slots* s = [] {
        // Cursors hold pixmaps, which must go before the application object.
        qAddPostRoutine(&ReleaseResources);
        return new Slots;
    }();
    return *s;
}

QPoint HotSpotOf(int id, const QSize& size) {
    QFile file(ResourceFile::Root() + QStringLiteral("cursor/hotspots.json"));
    QPoint p(0, 0);
    if (file.open(QIODevice::ReadOnly)) {
        const QJsonArray xy =
            QJsonDocument::fromJson(file.readAll()).object().value(QString::number(id)).toArray();
        if (xy.size() == 2) p = QPoint(xy.at(0).toInt(), xy.at(1).toInt());
    }
    // A hot spot lies inside the cursor's picture.
    return QPoint(std::clamp(p.x(), 0, std::max(0, size.width() - 1)),
                  std::clamp(p.y(), 0, std::max(0, size.height() - 1)));
}

template <class T, class Load>
const std::shared_ptr<T>& Cached(std::shared_ptr<T>& slot, Load load) {
    if (!slot) slot = load();
    return slot;
}

PicturePtr MarkerPicture(int id) {
    PicturePtr p = ResourceFile::GetPicture(id);
    if (p) p->Transparent = 1;
    return p;
}

}  // namespace

// ---------------------------------------------------------------------------
// The resource file

namespace ResourceFile {

QString Root() {
    return State().root;
}

void SetRoot(const QString& root) {
    QString r = root.isEmpty() ? kDefaultRoot : root;
    if (!r.endsWith(QLatin1Char('/'))) r += QLatin1Char('/');
    State().root = r;
}

int Reads(const QString& kind, int id) {
    return State().reads.value(Key(kind, id), 0);
}

void ResetReads() {
    State().reads.clear();
}

QByteArray GetResource(const QString& kind, int id, bool* found) {
    ResourceState& state = State();
    ++state.reads[Key(kind, id)];
    QFile file(state.root + Key(kind, id));
    const bool ok = file.open(QIODevice::ReadOnly);
    if (found) *found = ok;
    return ok ? file.readAll() : QByteArray();
}

PicturePtr GetPicture(int id) {
    const QByteArray bytes = GetResource(QStringLiteral("picture"), id);
    if (bytes.isEmpty()) return nullptr;
    return ReadPictureBytes(bytes, Key(QStringLiteral("picture"), id));
}

MoviePtr GetMovie(int id) {
    bool found = false;
    QByteArray bytes = GetResource(QStringLiteral("movie"), id, &found);
    if (!found) return nullptr;
    return std::make_shared<Movie>(std::move(bytes));
}

MouseCursorPtr GetCursor(int id) {
    const QByteArray bytes = GetResource(QStringLiteral("cursor"), id);
    if (bytes.isEmpty()) return nullptr;
    QImage image = ReadImageBytes(bytes, Key(QStringLiteral("cursor"), id));
    if (image.isNull()) return nullptr;
    image = image.convertToFormat(QImage::Format_ARGB32);
    auto cursor = std::make_shared<MouseCursor>();
    cursor->Image = image;
    cursor->HotSpot = HotSpotOf(id, image.size());
    cursor->Cursor = QCursor(QPixmap::fromImage(image), cursor->HotSpot.x(), cursor->HotSpot.y());
    return cursor;
}

}  // namespace ResourceFile

// ---------------------------------------------------------------------------
// Accessors

PicturePtr QVlogga128() {
    return Cached(Slot().QVlogga128, [] { return ResourceFile::GetPicture(168); });
}

QByteArray demo() {
    Slots& s = Slot();
    if (!s.demoLoaded) {
        s.demo = ResourceFile::GetResource(QStringLiteral("TEXT"), 168);
        s.demoLoaded = true;
    }
    return s.demo;
}

PicturePtr yelCurs() {
    return Cached(Slot().yelCurs, [] { return MarkerPicture(170); });
}

PicturePtr arrowBlack() {
    return Cached(Slot().arrowBlack, [] { return MarkerPicture(171); });
}

PicturePtr arrowWhiteBG() {
    return Cached(Slot().arrowWhiteBG, [] { return ResourceFile::GetPicture(172); });
}

PicturePtr arrowBlacknonT() {
    return Cached(Slot().arrowBlacknonT, [] { return ResourceFile::GetPicture(173); });
}

PicturePtr yelCursIcon() {
    return Cached(Slot().yelCursIcon, [] { return ResourceFile::GetPicture(174); });
}

PicturePtr arrowWhiteIcon() {
    return Cached(Slot().arrowWhiteIcon, [] { return ResourceFile::GetPicture(175); });
}

PicturePtr arrowBlackIcon() {
    return Cached(Slot().arrowBlackIcon, [] { return ResourceFile::GetPicture(176); });
}

MoviePtr small() {
    return Cached(Slot().small, [] { return ResourceFile::GetMovie(168); });
}

MoviePtr small2() {
    return Cached(Slot().small2, [] { return ResourceFile::GetMovie(169); });
}

MouseCursorPtr cursArrowWhite() {
    return Cached(Slot().cursArrowWhite, [] { return ResourceFile::GetCursor(169); });
}

MouseCursorPtr cursArrowBlack() {
    return Cached(Slot().cursArrowBlack, [] { return ResourceFile::GetCursor(171); });
}

void ReleaseResources() {
    Slots& s = Slot();
    s.QVlogga128.reset();
    s.demo.clear();
    s.demoLoaded = false;
    s.yelCurs.reset();
    s.arrowBlack.reset();
    s.arrowWhiteBG.reset();
    s.arrowBlacknonT.reset();
    s.yelCursIcon.reset();
    s.arrowWhiteIcon.reset();
    s.arrowBlackIcon.reset();
    s.small.reset();
    s.small2.reset();
    s.cursArrowWhite.reset();
    s.cursArrowBlack.reset();
}

}  // namespace qv
