#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "app/session.h"
#include "platform/document_handover.h"
#include "platform/menus.h"
#include "platform/core/picture.h"

int main(int argc, char** argv) {
    qv::KeepPictureMemory();
    // A display named on the command line is the one whose program takes documents.
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0) qputenv("DISPLAY", argv[i + 1]);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));

    QStringList documents = QApplication::arguments();
    documents.removeFirst();
    for (QString& path : documents) path = QFileInfo(path).absoluteFilePath();
    // A second start with documents hands them to the program already running
    // on this display, and says so.
    qv::DocumentHandover handover(qv::DocumentHandover::DefaultServerName());
    if (!documents.isEmpty() && handover.HandOver(documents)) {
        std::fprintf(stderr, "%s\n", qPrintable(qv::HandedOverMessage(documents)));
        return 0;
    }

    // The program ends when its last window closes, but never between one
    // window closing and the next being shown (see SetQuitWhenLastWindowCloses).
    QApplication::setQuitOnLastWindowClosed(false);
    qv::SetLastWindowClosed([] { QCoreApplication::quit(); });

    qv::Session session;  // class initialisation: the module globals exist from here
    session.Start();

    session.DeliverLaunch(documents);
    // Documents of later starts arrive as further OpenDocument events.
    handover.Listen([&session](const QStringList& paths) { session.TakeHandedDocuments(paths); });

    return application.exec();
    // the session's finaliser runs here, before the QApplication goes
}
