#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "app/globals.h"
#include "app/session.h"
#include "platform/document_handover.h"
#include "platform/menus.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

// A second start, run beside the event loop of the running program.
bool SecondStart(const QString& server, const QStringList& paths) {
    std::atomic<bool> done = false;
    bool taken = false;
    std::thread start([&] {
        taken = DocumentHandover(server).HandOver(paths);
        done = true;
    });
    const QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    start.join();
    DrainEvents();
    return taken;
}

class HandoverTest : public test::SessionTest {
protected:
    void SetUp() override {
        test::SessionTest::SetUp();
        // Each test has a server of its own, unknown to any other process.
        server = dir.filePath(QStringLiteral("documents"));
    }
    // A small picture file.
    QString Touch(const QString& name) {
        const QString path = dir.filePath(name);
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(0xFF336699u);
        EXPECT_TRUE(picture.save(path, "TIFF"));
        return path;
    }
    QTemporaryDir dir;
    QString server;
};

TEST_F(HandoverTest, DocumentsOfASecondStartOpenInTheRunningProgram) {
    DocumentHandover running(server);
    std::vector<QStringList> lists;
    ASSERT_TRUE(running.Listen([&](const QStringList& paths) {
        lists.push_back(paths);
        session_->DeliverDocuments(paths);
    }));
    Window1::instance()->Show();
    DrainEvents();

    const QString a = Touch(QStringLiteral("a.tif")), b = Touch(QStringLiteral("b.tif"));
    EXPECT_TRUE(SecondStart(server, {a, b}));
    EXPECT_TRUE(SecondStart(server, {dir.filePath(QStringLiteral("gone.tif"))}));
    ASSERT_EQ(lists.size(), 2u) << "each start's list, in the order they came";
    EXPECT_EQ(lists[0], (QStringList{a, b}));
    ASSERT_TRUE(Module1::startfol);
    EXPECT_EQ(Module1::startfol->AbsolutePath(), b)
        << "handled as OpenDocument events: the last existing one is kept";

    // the next workspace opens it
    DispatchMenuCommand(QStringLiteral("FileNewwindow"), Window1::existing());
    DrainEvents();
    ASSERT_TRUE(Window1::existing());
    EXPECT_EQ(Window1::existing()->Title(), QStringLiteral("b.tif"));
}

TEST_F(HandoverTest, WithNoProgramRunningTheStartGoesOnAsUsual) {
    EXPECT_FALSE(DocumentHandover(server).HandOver({Touch(QStringLiteral("a.tif"))}, 500));
}

TEST_F(HandoverTest, ASocketLeftByACrashIsReplaced) {
    // a socket bound and never closed, as a crashed program leaves it
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(server);
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(server));

    DocumentHandover running(server);
    QStringList got;
    ASSERT_TRUE(running.Listen([&](const QStringList& paths) { got = paths; }));
    const QString a = Touch(QStringLiteral("a.tif"));
    EXPECT_TRUE(SecondStart(server, {a}));
    EXPECT_EQ(got, QStringList{a});
}

TEST_F(HandoverTest, ARunningProgramKeepsItsName) {
    DocumentHandover first(server);
    ASSERT_TRUE(first.Listen([](const QStringList&) {}));
    DocumentHandover second(server);
    EXPECT_FALSE(second.Listen([](const QStringList&) {})) << "a live server is not replaced";
    EXPECT_TRUE(first.Listening());
}

TEST_F(HandoverTest, TheRunningProgramBringsItsFrontWindowForward) {
    Window1* w = Window1::instance();
    w->Show();
    DrainEvents();
    QWidget other;  // another program's window, in front and active
    other.setWindowTitle(QStringLiteral("another program"));
    other.show();
    other.activateWindow();
    DrainEvents();
    ASSERT_EQ(QApplication::activeWindow(), &other);

    session_->TakeHandedDocuments({Touch(QStringLiteral("a.tif"))});
    DrainEvents();
    EXPECT_EQ(QApplication::activeWindow(), w);
    ASSERT_TRUE(Module1::startfol) << "and the documents are taken as before";
    EXPECT_EQ(Module1::startfol->Name(), QStringLiteral("a.tif"));

    w->showMinimized();
    DrainEvents();
    session_->TakeHandedDocuments({Touch(QStringLiteral("b.tif"))});
    DrainEvents();
    EXPECT_FALSE(w->isMinimized());
}

TEST_F(HandoverTest, TheSecondStartSaysWhatTheNextWorkspaceOpens) {
    const QString a = Touch(QStringLiteral("a.tif")), b = Touch(QStringLiteral("b.tif"));
    const QString gone = dir.filePath(QStringLiteral("gone.tif"));
    const QString took = QStringLiteral(
        "Quorvane is already running on this display and took the files. Its next workspace "
        "window opens %1 (File > New window opens one now).");
    EXPECT_EQ(HandedOverMessage({a, b}), took.arg(QStringLiteral("b.tif")));
    EXPECT_EQ(HandedOverMessage({a, gone}), took.arg(QStringLiteral("a.tif")))
        << "the last that exists";
    EXPECT_EQ(HandedOverMessage({gone}),
              QStringLiteral("Quorvane is already running on this display and was handed the "
                             "files, but none of them exists: it has nothing to open."));
}

TEST_F(HandoverTest, ASecondStartOfTheProgramHandsOverAndSaysSoOnStandardError) {
    // the program itself, started as a user starts it, with a runtime folder of its own
    QTemporaryDir runtime;
    ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner |
                                                          QFileDevice::WriteOwner |
                                                          QFileDevice::ExeOwner));
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString name = DocumentHandover::DefaultServerName();
    DocumentHandover running(name);
    QStringList got;
    const bool listening = running.Listen([&](const QStringList& paths) { got = paths; });
    if (saved.isNull()) qunsetenv("XDG_RUNTIME_DIR");
    else qputenv("XDG_RUNTIME_DIR", saved);
    ASSERT_TRUE(listening);
    EXPECT_TRUE(name.startsWith(runtime.path()));

    const QString b = Touch(QStringLiteral("b.tif"));
    QProcess start;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
    start.setProcessEnvironment(env);
    start.start(QStringLiteral(QV_PROGRAM), {b});
    const QDeadlineTimer deadline(20000);
    while (start.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool ended = start.state() == QProcess::NotRunning;
    if (!ended) {  // it did not find the running program and went on as a program of its own
        start.kill();
        start.waitForFinished();
    }
    ASSERT_TRUE(ended);
    EXPECT_EQ(start.exitCode(), 0);
    EXPECT_EQ(got, QStringList{b});
    EXPECT_TRUE(QString::fromLocal8Bit(start.readAllStandardError())
                    .contains(HandedOverMessage({b})));
}

TEST(HandoverNameTest, EachDisplayHasAProgramOfItsOwn) {
    auto key = [](const char* platform, const char* x11, const char* wayland = "") {
        return DocumentHandover::DisplayKey(QString::fromLatin1(platform), QString::fromLatin1(x11),
                                            QString::fromLatin1(wayland));
    };
    // the screens of one X display are one desktop; a local host is no other display
    EXPECT_EQ(key("xcb", ":57"), key("xcb", ":57.0"));
    EXPECT_EQ(key("xcb", ":57"), key("xcb", "unix:57.1"));
    EXPECT_NE(key("xcb", ":57"), key("xcb", ":58"));
    EXPECT_NE(key("xcb", ":0"), key("xcb", "otherhost:0"));
    EXPECT_NE(key("wayland", "", "wayland-0"), key("wayland", "", "wayland-1"));
    EXPECT_EQ(key("wayland", "", ""), key("wayland", "", "wayland-0"));
    EXPECT_NE(key("xcb", ":0"), key("wayland", ":0", "wayland-0"));
    for (const QString& k : {key("xcb", "host/a:0"), key("wayland", "", "../w")})
        EXPECT_FALSE(k.contains(QLatin1Char('/'))) << k.toStdString();
    // the program's own name carries the display it shows on
    EXPECT_TRUE(DocumentHandover::DefaultServerName().endsWith(
        key(qPrintable(QGuiApplication::platformName()), qgetenv("DISPLAY").constData(),
            qgetenv("WAYLAND_DISPLAY").constData())));
}

}  // namespace
}  // namespace qv
