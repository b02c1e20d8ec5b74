#include "platform/document_handover.h"

#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>

namespace qv {

namespace {

// What the running program answers once it has the paths.
constexpr char kTaken = '1';
// A hand-over larger than this is not a list of paths.
constexpr qint64 kMaxBytes = 4 * 1024 * 1024;

QByteArray Encode(const QStringList& paths) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out << paths;
    QByteArray message;
    QDataStream frame(&message, QIODevice::WriteOnly);
    frame << static_cast<quint32>(payload.size());
    return message + payload;
}

// Takes a complete message off the start of `buffer`: true when there was one.
// Its paths are left empty when it does not read as a list.
bool Decode(QByteArray& buffer, QStringList* paths) {
    paths->clear();
    if (buffer.size() < 4) return false;
    quint32 size = 0;
    {
        QDataStream in(buffer.left(4));
        in >> size;
    }
    if (buffer.size() < 4 + static_cast<qint64>(size)) return false;
    QDataStream in(buffer.mid(4, size));
    in >> *paths;
    if (in.status() != QDataStream::Ok) paths->clear();
    buffer.remove(0, 4 + size);
    return true;
}

}  // namespace

QString DocumentHandover::DisplayKey(const QString& platform, const QString& x11Display,
                                     const QString& waylandDisplay) {
    QString key;
    if (platform == QLatin1String("xcb")) {
        // host:display.screen; the screens of one display are one desktop
        QString host = x11Display.section(QLatin1Char(':'), 0, -2);
        QString display = x11Display.section(QLatin1Char(':'), -1).section(QLatin1Char('.'), 0, 0);
        if (host == QLatin1String("unix") || host == QLatin1String("localhost")) host.clear();
        key =
            QStringLiteral("x") + (host.isEmpty() ? QString() : host + QLatin1Char('-')) + display;
    } else if (platform.startsWith(QLatin1String("wayland"))) {
        key = QStringLiteral("wl-") +
              (waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : waylandDisplay);
    } else {
        key = platform;
    }
    for (QChar& c : key)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return key;
}

QString DocumentHandover::DefaultServerName() {
    const QString display =
        DisplayKey(QGuiApplication::platformName(), qEnvironmentVariable("DISPLAY"),
                   qEnvironmentVariable("WAYLAND_DISPLAY"));
    // A socket in the user's own runtime folder; elsewhere one named after the user.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return QDir(runtime).filePath(QStringLiteral("quorvane-documents-") + display);
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return QStringLiteral("quorvane-documents-") + user + QLatin1Char('-') + display;
}

DocumentHandover::DocumentHandover(QString serverName, QObject* parent)
    : QObject(parent), name_(std::move(serverName)) {}

DocumentHandover::~DocumentHandover() {
    if (server_) server_->close();
}

bool DocumentHandover::HandOver(const QStringList& paths, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(timeoutMs)) return false;
    socket.write(Encode(paths));
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    // Taken once the running program says so.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

bool DocumentHandover::Listen(std::function<void(const QStringList&)> received) {
    received_ = std::move(received);
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &DocumentHandover::Accept);
    }
    if (server_->isListening()) return true;
    // A program that answers has the name already.
    {
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(500)) {
            probe.abort();
            return false;
        }
    }
    if (server_->listen(name_)) return true;
    if (server_->serverError() != QAbstractSocket::AddressInUseError) return false;
    // A socket nobody answers on is left over from a crash.
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

bool DocumentHandover::Listening() const { return server_ && server_->isListening(); }

void DocumentHandover::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (buffer->size() > kMaxBytes) {
                socket->abort();
                return;
            }
            QStringList paths;
            while (Decode(*buffer, &paths)) {
                socket->putChar(kTaken);
                socket->flush();
                if (received_ && !paths.isEmpty()) received_(paths);
            }
        });
    }
}

}  // namespace qv
