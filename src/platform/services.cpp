#include "platform/services.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDrag>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QUrl>
#include <QWidget>
#include <QWindow>

#include "platform/core/filetypes.h"
#include "platform/core/whole_file_writer.h"

namespace qv {

bool WindowManagerDrawsFrames() {
    // Offscreen the plugin's margins are no frame anyone sees.
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

std::optional<QMargins> ReportedFrameExtents(const QWidget* window) {
    if (!WindowManagerDrawsFrames()) return std::nullopt;
    const QWindow* handle = window ? window->windowHandle() : nullptr;
    if (!handle || !handle->isVisible()) return std::nullopt;
    const QMargins m = handle->frameMargins();
    if (m.isNull()) return std::nullopt;
    return m;
}

namespace {

QString DialogFilter(const QString& fileTypes) {
    const QStringList patterns = FileTypeRegistry::Patterns(fileTypes);
    if (patterns.isEmpty()) return QString();
    return QStringLiteral("%1 (%2)").arg(fileTypes, patterns.join(QLatin1Char(' ')));
}

// The extension a name filter such as "PNG (*.png)" stands for.
QString FilterSuffix(const QString& filter) {
    const int star = filter.indexOf(QStringLiteral("*."));
    const int close = filter.indexOf(QLatin1Char(')'), star);
    return star < 0 || close < 0 ? QString() : filter.mid(star + 2, close - star - 2);
}

class DesktopServices final : public Services {
public:
    DesktopServices() {
        // Nothing is kept between runs: Qt's file dialogs would keep their
        // history and last folder in the user's QtProject settings file. The
        // user settings point under a device, where no file can be made.
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
    }
    int MsgBox(const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
        return 1;
    }
    bool Confirm(const QString& text, const QString& yes) override {
        QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                        QMessageBox::Cancel, QApplication::activeWindow());
        QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
        box.setDefaultButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == accept;
    }
    void Beep() override { QApplication::beep(); }
    FolderItemPtr GetOpenFolderItem(const QString& fileTypes) override {
        const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                          QString(), DialogFilter(fileTypes));
        return FolderItem::FromPath(path);
    }
    FolderItemPtr GetSaveFolderItem(const QString& fileTypes, const QString& name) override {
        const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(),
                                                          name, DialogFilter(fileTypes));
        return FolderItem::FromPath(path);
    }
    QString GetPictureSavePath() override {
        QStringList filters;
        for (const QByteArray& f : QImageWriter::supportedImageFormats())
            filters << QStringLiteral("%1 (*.%2)").arg(QString::fromLatin1(f).toUpper(),
                                                      QString::fromLatin1(f));
        // Qt's own dialog: it adds the extension of the format picked to a
        // name given without one before it asks whether to replace a file, so
        // the question names the file that is written.
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(QStringLiteral("PNG (*.png)"));
        dialog.setDefaultSuffix(FilterSuffix(dialog.selectedNameFilter()));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
        if (dialog.exec() != QDialog::Accepted) return QString();
        const QStringList chosen = dialog.selectedFiles();
        return chosen.isEmpty() ? QString() : chosen.first();
    }
    bool ShowURL(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
    QString ClipboardText() override { return QGuiApplication::clipboard()->text(); }
    void SetClipboardText(const QString& text) override {
        QGuiApplication::clipboard()->setText(text);
    }
    PicturePtr ClipboardPicture() override {
        return PictureFromImage(QGuiApplication::clipboard()->image());
    }
    void SetClipboardPicture(const PicturePtr& p) override {
        if (p) QGuiApplication::clipboard()->setImage(p->Image().copy());
    }
    int ScreenWidth() override {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->geometry().width() : 1024;
    }
    int ScreenHeight() override {
        QScreen* s = QGuiApplication::primaryScreen();
        return s ? s->geometry().height() : 768;
    }
    QRect AvailableArea(const QRect& window) override {
        QScreen* s = QGuiApplication::screenAt(window.center());
        if (!s) s = QGuiApplication::primaryScreen();
        return s ? s->availableGeometry() : Services::AvailableArea(window);
    }
    std::optional<QMargins> FrameExtents(const QWidget* window) override {
        return ReportedFrameExtents(window);
    }
    bool ShiftKey() override {
        return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    }
    void DragPicture(QWidget* source, const QRect& outline, const PicturePtr& picture,
                     const QString& text) override {
        if (!source || !picture || outline.isEmpty()) return;
        auto* data = new QMimeData;
        data->setImageData(picture->Image().copy());
        if (!text.isEmpty()) data->setText(text);
        // The drag shows the outline at its place under the pointer.
        QPixmap frame(outline.size());
        frame.fill(Qt::transparent);
        {
            QPainter p(&frame);
            p.setPen(Qt::black);
            p.drawRect(0, 0, outline.width() - 1, outline.height() - 1);
        }
        auto* drag = new QDrag(source);
        drag->setMimeData(data);
        drag->setPixmap(frame);
        drag->setHotSpot(source->mapFromGlobal(QCursor::pos()) - outline.topLeft());
        drag->exec(Qt::CopyAction);
    }
    TiffSettings RequestTiffSettings(const TiffSettings& current) override {
        QDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("TIFF settings"));
        auto* compression = new QComboBox(&dialog);
        compression->addItems({QStringLiteral("None"), QStringLiteral("LZW")});
        compression->setCurrentIndex(current.compression == TiffSettings::Compression::Lzw ? 1 : 0);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                             &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* form = new QFormLayout(&dialog);
        form->addRow(QStringLiteral("Compression:"), compression);
        form->addRow(buttons);
        if (dialog.exec() != QDialog::Accepted) return current;
        TiffSettings chosen;
        chosen.compression = compression->currentIndex() == 1 ? TiffSettings::Compression::Lzw
                                                              : TiffSettings::Compression::None;
        return chosen;
    }
    bool WriteTiff(const PicturePtr& p, const FolderItemPtr& file,
                   const TiffSettings& settings) override {
        return WriteTiffFile(p, file, settings);
    }
};

int openDialogs = 0;

std::unique_ptr<Services>& Installed() {
    static std::unique_ptr<Services> installed;
    return installed;
}

}  // namespace

Services& Platform() {
    static DesktopServices desktop;
    auto& installed = Installed();
    return installed ? *installed : static_cast<Services&>(desktop);
}

std::unique_ptr<Services> InstallServices(std::unique_ptr<Services> services) {
    auto previous = std::move(Installed());
    Installed() = std::move(services);
    return previous;
}

OpenDialog::OpenDialog() { ++openDialogs; }

OpenDialog::~OpenDialog() { --openDialogs; }

bool DialogOpen() { return openDialogs > 0; }

void ShowURL(const QString& url) {
    if (Platform().ShowURL(url)) return;
    QString address = url;
    if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        address = QUrl::fromPercentEncoding(address.mid(7).toUtf8());
    MsgBox(QStringLiteral("No web browser or mail program could be started. The address is:\n%1")
               .arg(address));
}

namespace {

// Encodes the picture in memory (TIFF's writer seeks) and writes the bytes as
// one whole file; `compression` -1 keeps the format's default.
bool WriteEncoded(const PicturePtr& p, const QString& path, const QByteArray& format,
                  int compression, QString* error) {
    auto fail = [error](const QString& reason) {
        if (error) *error = reason;
        return false;
    };
    if (!p) return fail(QStringLiteral("there is no picture"));
    if (path.isEmpty()) return fail(QStringLiteral("no file was named"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return fail(buffer.errorString());
    QImageWriter writer(&buffer, format);
    if (compression >= 0) writer.setCompression(compression);
    if (!writer.write(p->Image())) return fail(writer.errorString());
    buffer.close();
    return WriteFileWhole(path, bytes, error);
}

}  // namespace

bool WritePicture(const PicturePtr& p, const QString& path, QString* error) {
    return WriteEncoded(p, path, QFileInfo(path).suffix().toLower().toLatin1(), -1, error);
}

bool WriteTiffFile(const PicturePtr& p, const FolderItemPtr& file, const TiffSettings& settings,
                   QString* error) {
    // Qt's TIFF writer: 0 no compression, 1 LZW.
    const int compression = settings.compression == TiffSettings::Compression::Lzw ? 1 : 0;
    return WriteEncoded(p, file ? file->AbsolutePath() : QString(), "tiff", compression, error);
}

bool ExportPicture(const PicturePtr& p) {
    if (!p) return false;
    QString path;
    {
        const OpenDialog open;
        path = Platform().GetPictureSavePath();
    }
    if (path.isEmpty()) return false;
    QString reason;
    if (!WritePicture(p, path, &reason)) {
        MsgBox(CouldNotWriteMessage(QStringLiteral("picture"), QFileInfo(path).fileName(), reason));
        return false;
    }
    return true;
}

}  // namespace qv
