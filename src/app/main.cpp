#include <QApplication>

#include "app/session.h"
#include "platform/menus.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    // The program ends when its last window closes, but never between one
    // window closing and the next being shown (see SetQuitWhenLastWindowCloses).
    QApplication::setQuitOnLastWindowClosed(false);
    qv::SetLastWindowClosed([] { QCoreApplication::quit(); });

    qv::Session session;  // class initialisation: the module globals exist from here
    session.Start();

    QStringList documents = QApplication::arguments();
    documents.removeFirst();
    session.DeliverLaunch(documents);

    return application.exec();
    // the session's finaliser runs here, before the QApplication goes
}
