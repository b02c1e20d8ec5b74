// The picture save dialog itself, driven as a user would: every modal window it
// shows is answered from a timer, so that no test ever waits on one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "platform/services.h"
#include "support/file_bytes.h"

namespace qv {
namespace {

using test::Put;
using test::Read;

// Takes one step on each modal window that comes to the front, in order. A
// modal that no step is left for, or any modal once the time is up, is
// cancelled and counted.
class ModalScript {
  public:
    using Step = std::function<void(QWidget* modal)>;
    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(20);
        clock_.start();
    }
    bool AllStepsTaken() const { return steps_.empty(); }
    int unexpected = 0;

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || pending_) return;
        if (steps_.empty() || clock_.hasExpired(20000)) {
            ++unexpected;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        // The step may open a modal of its own and wait in it; the poll goes on.
        pending_ = true;
        QTimer::singleShot(0, modal, [this, step, target = QPointer<QWidget>(modal)] {
            pending_ = false;
            if (target) step(target);
        });
    }

    std::deque<Step> steps_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool pending_ = false;
};

QFileDialog* FileDialog(QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    EXPECT_TRUE(dialog) << "a file dialog";
    return dialog;
}

// In the folder, the user picks the format filter `filter` (none: the one
// offered), types `name` and presses Return.
ModalScript::Step TypeAndSave(const QString& folder, const QString& name,
                              const QString& filter = QString()) {
    return [=](QWidget* modal) {
        QFileDialog* dialog = FileDialog(modal);
        if (!dialog) return;
        dialog->setDirectory(folder);
        if (!filter.isEmpty()) {
            auto* formats = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_TRUE(formats);
            const int index = formats->findText(filter);
            ASSERT_GE(index, 0) << filter.toStdString();
            QTest::keyClick(formats, Qt::Key_Home);
            for (int i = 0; i < index; ++i) QTest::keyClick(formats, Qt::Key_Down);
            EXPECT_EQ(dialog->selectedNameFilter(), filter);
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(edit);
        edit->clear();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

// Answers a message box with `button`, keeping its text in `text`.
ModalScript::Step Answer(QMessageBox::StandardButton button, QString* text) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_TRUE(box) << "a question";
        *text = box->text();
        ASSERT_TRUE(box->button(button));
        box->button(button)->click();
    };
}

ModalScript::Step Cancel() {
    return [](QWidget* modal) {
        if (QFileDialog* dialog = FileDialog(modal)) dialog->reject();
    };
}

class PictureSaveDialogTest : public ::testing::Test {
  protected:
    // The user's settings folders, so that whatever the dialog keeps can be found.
    static void SetUpTestSuite() {
        home_ = new QTemporaryDir;
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            saved_.push_back({name, qgetenv(name)});
            qputenv(name, home_->path().toLocal8Bit());
        }
    }
    static void TearDownTestSuite() {
        for (const auto& [name, value] : saved_) qputenv(name, value);
        saved_.clear();
        delete home_;
    }
    void SetUp() override {
        picture_ = NewPicture(16, 12);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) picture_->RGBSurface()->SetPixel(x, y, RGB(x * 9, y, 200));
    }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    bool Shows(const QString& path) const {
        return QImage(path).convertToFormat(QImage::Format_RGB32) == picture_->Image();
    }
    // Saves through the dialog with the steps given; whether a file was written.
    bool Save(std::deque<ModalScript::Step> steps) {
        ModalScript script(std::move(steps));
        const bool written = ExportPicture(picture_);
        EXPECT_TRUE(script.AllStepsTaken());
        EXPECT_EQ(script.unexpected, 0);
        return written;
    }

    static QTemporaryDir* home_;
    static std::vector<std::pair<const char*, QByteArray>> saved_;
    QTemporaryDir dir_;
    PicturePtr picture_;
};

QTemporaryDir* PictureSaveDialogTest::home_ = nullptr;
std::vector<std::pair<const char*, QByteArray>> PictureSaveDialogTest::saved_;

// A name typed without an extension gets the format's before the dialog asks
// whether to replace a file: No keeps the old file byte for byte, Yes replaces
// it, and a new name is written without a question.
TEST_F(PictureSaveDialogTest, ANameWithoutAnExtensionIsAskedAboutAsTheFileWritten) {
    const QByteArray old = "old picture bytes";
    Put(Path(QStringLiteral("old.png")), old);
    QString question;
    EXPECT_FALSE(Save({TypeAndSave(dir_.path(), QStringLiteral("old")),
                       Answer(QMessageBox::No, &question), Cancel()}));
    EXPECT_EQ(question, QStringLiteral("old.png already exists.\nDo you want to replace it?"));
    EXPECT_EQ(Read(Path(QStringLiteral("old.png"))), old);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("old.png")});

    question.clear();
    EXPECT_TRUE(Save(
        {TypeAndSave(dir_.path(), QStringLiteral("old")), Answer(QMessageBox::Yes, &question)}));
    EXPECT_EQ(question, QStringLiteral("old.png already exists.\nDo you want to replace it?"));
    EXPECT_TRUE(Shows(Path(QStringLiteral("old.png"))));

    EXPECT_TRUE(Save({TypeAndSave(dir_.path(), QStringLiteral("fresh"))}));
    EXPECT_TRUE(Shows(Path(QStringLiteral("fresh.png"))));
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("fresh.png"), QStringLiteral("old.png")}));
}

// The extension follows the format the user picks: the question and the file
// written are the BMP one, and the PNG of the same name is not touched.
TEST_F(PictureSaveDialogTest, TheFormatPickedGivesTheExtensionAskedAboutAndWritten) {
    const QByteArray png = "an earlier png";
    Put(Path(QStringLiteral("old.png")), png);
    Put(Path(QStringLiteral("old.bmp")), "an earlier bmp");
    QString question;
    EXPECT_FALSE(
        Save({TypeAndSave(dir_.path(), QStringLiteral("old"), QStringLiteral("BMP (*.bmp)")),
              Answer(QMessageBox::No, &question), Cancel()}));
    EXPECT_EQ(question, QStringLiteral("old.bmp already exists.\nDo you want to replace it?"));
    EXPECT_EQ(Read(Path(QStringLiteral("old.bmp"))), QByteArray("an earlier bmp"));

    EXPECT_TRUE(
        Save({TypeAndSave(dir_.path(), QStringLiteral("old"), QStringLiteral("BMP (*.bmp)")),
              Answer(QMessageBox::Yes, &question)}));
    EXPECT_TRUE(Read(Path(QStringLiteral("old.bmp"))).startsWith("BM"));
    EXPECT_TRUE(Shows(Path(QStringLiteral("old.bmp"))));
    EXPECT_EQ(Read(Path(QStringLiteral("old.png"))), png);
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("old.bmp"), QStringLiteral("old.png")}));
}

// Nothing is kept between runs: a save through the dialog leaves no settings
// file of Qt's in the user's folders.
TEST_F(PictureSaveDialogTest, TheDialogKeepsNothingInTheUsersSettings) {
    EXPECT_TRUE(Save({TypeAndSave(dir_.path(), QStringLiteral("kept"))}));
    EXPECT_TRUE(Shows(Path(QStringLiteral("kept.png"))));
    QStringList found;
    QDirIterator all(home_->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                     QDirIterator::Subdirectories);
    while (all.hasNext()) found << all.next();
    EXPECT_FALSE(found.join(QLatin1Char(' ')).contains(QLatin1String("QtProject")))
        << found.join(QLatin1Char(' ')).toStdString();
}

}  // namespace
}  // namespace qv
