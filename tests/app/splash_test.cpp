#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "app/addresses.h"
#include "app/update_alert.h"
#include "app/application_object.h"
#include "app/globals.h"
#include "app/resources.h"
#include "app/version.h"
#include "app/about_window.h"
#include "app/splash.h"
#include "support/session_fixture.h"
#include "workspace/workspace_window.h"

namespace qv {
namespace {

using test::DrainEvents;

// Serves one fixed HTTP answer to every request on 127.0.0.1.
class PageServer {
public:
    PageServer(int status, const QByteArray& body) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this, status, body] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [s, status, body] {
                    const QByteArray request = s->readAll();
                    if (request.startsWith("GET ")) path = request.mid(4, request.indexOf(' ', 4) - 4);
                    s->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: " +
                             QByteArray::number(body.size()) +
                             "\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n" + body);
                    s->disconnectFromHost();
                });
            }
        });
    }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    static inline QByteArray path;

private:
    QTcpServer server_;
};

class SplashTest : public test::SessionTest {
protected:
    void SetUp() override {
        test::SessionTest::SetUp();
        SetUpdateServer(QStringLiteral("http://127.0.0.1:1"));  // nothing listens there
    }
    void TearDown() override {
        for (int i = WindowCount() - 1; i >= 0; --i) WindowAt(i)->Close();
        SetUpdateServer(QString());
        ResourceFile::SetRoot(QString());
        test::SessionTest::TearDown();
    }
    Window8* OpenSplash() {
        App()->Event_Open();
        Window8* s = Window8::existing();
        for (int i = 0; i < 20 && s->Timer1->Mode() == 0; ++i) QTest::qWait(10);
        return s;
    }
};

TEST_F(SplashTest, StartBecomesTheDefaultButtonOnlyAfterTheMoviePlays) {
    App()->MajorVersion = 2;
    App()->MinorVersion = 1;
    App()->BugVersion = 3;
    Window8* s = OpenSplash();
    EXPECT_EQ(s->StaticText2->Text(), QStringLiteral("2.1.3"));
    EXPECT_EQ(s->MoviePlayer1->height(), 276);
    ASSERT_TRUE(s->MoviePlayer1->CurrentFrame()) << "the logo movie shows";
    EXPECT_EQ(s->Timer1->Mode(), 1) << "Play started the 2500 ms countdown";
    EXPECT_FALSE(ControlVisible(s->StaticText5));
    EXPECT_EQ(s->PushButton1->Caption(), QStringLiteral("Loading..."));
    EXPECT_FALSE(s->PushButton1->isEnabled());

    s->Timer1->Fire();
    EXPECT_EQ(s->PushButton1->Caption(), QStringLiteral("Start"));
    EXPECT_TRUE(s->PushButton1->isEnabled());
    EXPECT_EQ(s->DefaultButton(), s->PushButton1);
    QTest::keyClick(s, Qt::Key_Return);
    DrainEvents();
    EXPECT_FALSE(Window8::existing());
    ASSERT_TRUE(Window1::existing());
    EXPECT_TRUE(Window1::existing()->isVisible());
}

TEST_F(SplashTest, WithoutAPlayableMovieTheButtonStaysLoading) {
    QTemporaryDir empty;
    ResourceFile::SetRoot(empty.path());
    ReleaseResources();
    App()->Event_Open();
    Window8* s = Window8::existing();
    QTest::qWait(50);
    EXPECT_EQ(s->Timer1->Mode(), 0);
    EXPECT_TRUE(ControlVisible(s->StaticText5));
    EXPECT_EQ(s->StaticText5->Text(),
              QStringLiteral("If you cannot see a moving logo you need to install QuickTime! "));
    EXPECT_FALSE(s->PushButton1->isEnabled());
    EXPECT_EQ(s->PushButton1->Caption(), QStringLiteral("Loading..."));
}

TEST_F(SplashTest, AClickOnTheWindowLeadsOnButHotSpotLabelsAndPlayerDoNot) {
    Window8* s = OpenSplash();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s));
    auto at = [s](QWidget* c) { return c->mapTo(s, c->rect().center()); };
    QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, at(s->Canvas1));
    QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, at(s->StaticText1));
    QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, at(s->MoviePlayer1));
    DrainEvents();
    ASSERT_EQ(Window8::existing(), s);
    EXPECT_EQ(s->MoviePlayer1->Movie(), small()) << "the hot spot plays the other movie";
    EXPECT_FALSE(Window1::existing());

    // the window background, before Start is enabled
    QTest::mouseClick(s->windowHandle(), Qt::LeftButton, {}, s->Content()->mapTo(s, QPoint(20, 400)));
    DrainEvents();
    EXPECT_FALSE(Window8::existing());
    EXPECT_TRUE(Window1::existing());
}

TEST_F(SplashTest, TheCloseBoxOpensNoWorkspace) {
    Window8* s = OpenSplash();
    s->Close();
    DrainEvents();
    EXPECT_FALSE(Window1::existing());
    EXPECT_FALSE(Module1::okuser);
}

TEST(VersionTest, ServerTextsAgainstOwnVersion) {
    struct Case {
        const char* content;
        const char* own;
        bool newer;
        const char* details;
    };
    for (const Case& c : {Case{"x*210*Faster fluorograms", "200", true, "Faster fluorograms"},
                          Case{"x*200*Same", "200", false, "Same"},
                          Case{"x*199*Older", "200", false, "Older"},
                          Case{"no separator at all", "200", false, ""},
                          Case{"x**empty field", "200", false, "empty field"},
                          Case{"x*abc*word", "200", false, "word"},
                          Case{"x*210", "200", true, ""},
                          Case{"*300*three", "2100", false, "three"},
                          Case{"", "200", false, ""}}) {
        const VersionReply r = ReadVersionReply(QString::fromUtf8(c.content), QString::fromUtf8(c.own));
        EXPECT_EQ(r.newer, c.newer) << c.content;
        EXPECT_EQ(r.details, QString::fromUtf8(c.details)) << c.content;
    }
    EXPECT_EQ(OwnVersionText(2, 10, 0), QStringLiteral("2100"));
    EXPECT_EQ(OwnVersionText(2, 0, 0), QStringLiteral("200"));
}

TEST_F(SplashTest, ANewerVersionOnALocalServerBeepsAndOpensTheAlert) {
    PageServer server(200, "Quorvane*210*Line one\rLine two");
    SetUpdateServer(server.Base());
    App()->MajorVersion = 2;
    App()->MinorVersion = 0;
    App()->BugVersion = 0;
    App()->Event_Open();
    for (int i = 0; i < 200 && !alertDownloadWin::existing(); ++i) QTest::qWait(10);
    ASSERT_TRUE(alertDownloadWin::existing());
    EXPECT_EQ(PageServer::path, QByteArray("/QV/qvcurrentversion.txt"));
    EXPECT_EQ(fake_->beeps, 1);
    alertDownloadWin* alert = alertDownloadWin::existing();
    EXPECT_EQ(alert->Title(), QStringLiteral("Version Update"));
    EXPECT_EQ(alert->StaticText2->Text(), QStringLiteral("Line one\rLine two"));
    EXPECT_EQ(alert->PushButton3->Caption(), QStringLiteral("Not now "));
    EXPECT_EQ(alert->DefaultButton(), alert->PushButton1);
    alert->PushButton1->click();
    EXPECT_EQ(fake_->urls, QStringList{HomePage()});
    EXPECT_FALSE(alertDownloadWin::existing());
}

TEST_F(SplashTest, AnErrorPageIsReadAllTheSameAndALateReplyIsHarmless) {
    PageServer server(404, "<html>Not Found</html>");
    SetUpdateServer(server.Base());
    Module1::versionDetails = QStringLiteral("old");
    Window8* s = OpenSplash();
    s->Close();  // the splash goes before the reply arrives
    for (int i = 0; i < 200 && !Module1::versionDetails.isEmpty(); ++i) QTest::qWait(10);
    EXPECT_TRUE(Module1::versionDetails.isEmpty()) << "the 404 page was read: no field 3";
    EXPECT_FALSE(alertDownloadWin::existing());
    EXPECT_EQ(fake_->beeps, 0);
}

TEST_F(SplashTest, NoServerShowsNothing) {
    Module1::versionDetails = QStringLiteral("kept");
    OpenSplash();
    QTest::qWait(200);
    EXPECT_EQ(Module1::versionDetails, QStringLiteral("kept"));
    EXPECT_FALSE(alertDownloadWin::existing());
}

class AboutTest : public test::SessionTest {};

TEST_F(AboutTest, FixedVersionAndEveryWayOutBringsTheWorkspaceBack) {
    App()->MajorVersion = 7;
    Window1::instance()->Show();
    Window3* about = Window3::instance();
    about->Show();
    EXPECT_EQ(about->StaticText2->Text(), QStringLiteral("Version 2.0.0"));
    EXPECT_TRUE(about->StaticText3->Text().endsWith(QStringLiteral("et c. \rClick window to start.")));
    ASSERT_TRUE(about->Canvas1->Backdrop());
    EXPECT_EQ(about->Canvas1->Backdrop()->Width(), 128);
    QTest::keyClick(about, Qt::Key_A);
    DrainEvents();
    EXPECT_FALSE(Window3::existing());
    EXPECT_EQ(FrontWindow(), Window1::existing());

    // A click anywhere on it, on the logo and the texts too.
    for (const char* where : {"", "Canvas1", "StaticText1", "StaticText2", "StaticText3"}) {
        SCOPED_TRACE(where);
        Window3* shown = Window3::instance();
        shown->Show();
        DrainEvents();
        const QWidget* target =
            *where ? shown->ControlNamed<QWidget>(QString::fromUtf8(where)) : shown->Content();
        ASSERT_TRUE(target);
        const QPoint inside =
            *where ? QPoint(target->width() / 2, target->height() / 2) : QPoint(5, 290);
        // Through the window, as a click on the screen comes.
        QTest::mouseClick(shown->windowHandle(), Qt::LeftButton, {}, target->mapTo(shown, inside));
        DrainEvents();
        EXPECT_FALSE(Window3::existing());
        EXPECT_EQ(FrontWindow(), Window1::existing());
    }

    // closing it after the workspace was closed opens a fresh workspace
    Window1::existing()->Close();
    Window3::instance()->Show();
    Window3::existing()->Close();
    DrainEvents();
    ASSERT_TRUE(Window1::existing());
    EXPECT_TRUE(Window1::existing()->isVisible());
    Window1::existing()->Close();
}

}  // namespace
}  // namespace qv
