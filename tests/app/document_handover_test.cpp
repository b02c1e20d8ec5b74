#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

#include "app/globals.h"
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

}  // namespace
}  // namespace qv
