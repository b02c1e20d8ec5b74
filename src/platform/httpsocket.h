#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QString>
#include <functional>

namespace qv {

// One asynchronous HTTP GET at a time. A page that arrives is delivered
// whatever its HTTP status (an error page too); a request that gets no page
// (no connection, unknown host, timeout) delivers nothing.
class HTTPSocket : public QObject {
    Q_OBJECT
public:
    explicit HTTPSocket(QObject* parent = nullptr);

    void Get(const QString& url);
    // Seconds before a request without an answer is given up (no page).
    int Timeout = 20;

    std::function<void(const QString& url, int status,
                       const QList<QPair<QByteArray, QByteArray>>& headers,
                       const QString& content)>
        PageReceived;

private:
    QNetworkAccessManager manager_;
};

}  // namespace qv
