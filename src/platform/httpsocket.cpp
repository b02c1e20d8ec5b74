#include "platform/httpsocket.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QUrl>

namespace qv {

HTTPSocket::HTTPSocket(QObject* parent) : QObject(parent) {}

void HTTPSocket::Get(const QString& url) {
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(Timeout * 1000);
    QNetworkReply* reply = manager_.get(request);
    QPointer<HTTPSocket> self(this);
    connect(reply, &QNetworkReply::finished, this, [self, reply, url] {
        reply->deleteLater();
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid()) return;  // no page arrived
        const QString content = QString::fromUtf8(reply->readAll());
        if (self && self->PageReceived)
            self->PageReceived(url, status.toInt(), reply->rawHeaderPairs(), content);
    });
}

}  // namespace qv
