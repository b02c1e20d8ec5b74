#include "app/addresses.h"

#ifndef QV_UPDATE_SERVER
#define QV_UPDATE_SERVER "http://updates.quorvane.invalid"
#endif
#ifndef QV_HOME_PAGE
#define QV_HOME_PAGE "http://www.quorvane.invalid/"
#endif
#ifndef QV_FEEDBACK_ADDRESS
#define QV_FEEDBACK_ADDRESS "feedback@quorvane.invalid"
#endif

namespace qv {

namespace {
QString& UpdateServerOverride() {
    static QString base;
    return base;
}
}  // namespace

QString UpdateServer() {
    const QString& o = UpdateServerOverride();
    return o.isEmpty() ? QStringLiteral(QV_UPDATE_SERVER) : o;
}

QString HomePage() { return QStringLiteral(QV_HOME_PAGE); }

QString SupportPage() {
    QString home = HomePage();
    if (!home.endsWith(QLatin1Char('/'))) home += QLatin1Char('/');
    return home + QStringLiteral("sup_faq.asp");
}

QString FeedbackAddress() { return QStringLiteral(QV_FEEDBACK_ADDRESS); }

void SetUpdateServer(const QString& base) { UpdateServerOverride() = base; }

}  // namespace qv
