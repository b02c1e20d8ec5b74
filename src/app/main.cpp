#include <QApplication>

#include "app/session.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));

    qv::Session session;  // class initialisation: the module globals exist from here
    session.Start();

    QStringList documents = QApplication::arguments();
    documents.removeFirst();
    session.DeliverLaunch(documents);

    return application.exec();
    // the session's finaliser runs here, before the QApplication goes
}
