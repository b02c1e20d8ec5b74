#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;

namespace qv {

// Documents handed to the program by a second start: the new process gives its
// file paths to the program already running for this user on this display,
// over a local socket that only this user can reach, and ends. A start on
// another display is a program of its own. Only the program's own start-up
// listens; a test gives its own server name, so that test processes never meet.
class DocumentHandover : public QObject {
    Q_OBJECT
public:
    // The server name of this user's running program on the display the
    // application shows its windows on.
    static QString DefaultServerName();
    // The display a program of the platform shows on, as part of a name: the
    // X display without its screen number and without a local host, the
    // Wayland display, or the platform's name for one without displays.
    static QString DisplayKey(const QString& platform, const QString& x11Display,
                              const QString& waylandDisplay);

    explicit DocumentHandover(QString serverName, QObject* parent = nullptr);
    ~DocumentHandover() override;

    // Gives the paths to a program listening under the name and waits until it
    // has taken them; false when none runs (or it did not answer in time).
    bool HandOver(const QStringList& paths, int timeoutMs = 3000) const;

    // Listens under the name, replacing a socket that a crashed program left
    // behind; each list that arrives goes to `received`, in the order they
    // came. False when another running program has the name.
    bool Listen(std::function<void(const QStringList&)> received);
    bool Listening() const;

    QString ServerName() const { return name_; }

private:
    void Accept();
    QString name_;
    QLocalServer* server_ = nullptr;
    std::function<void(const QStringList&)> received_;
};

}  // namespace qv
