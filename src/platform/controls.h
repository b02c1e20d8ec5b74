#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStringList>
#include <QTabBar>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/core/color.h"
#include "platform/filedrop.h"
#include "platform/core/folderitem.h"

namespace qv {

// Controls with the framework's behaviour. Every value change made by code
// fires the control's change or action event as a user's change does.

// Window-pixel position of a control (relative to its window's content area).
int ControlLeft(const QWidget* control);
int ControlTop(const QWidget* control);
void SetControlLeft(QWidget* control, int left);
void SetControlTop(QWidget* control, int top);
void SetControlBounds(QWidget* control, int left, int top, int width, int height);
// The control's own Visible property (true even when its tab page is not shown).
inline bool ControlVisible(const QWidget* control) { return !control->isHidden(); }

// Number fields show their whole text: a label or edit field given a number or
// a readout of one ("958441", "0.85", "100%", "\u2206x:-1023": a digit, no blank,
// one line) that does not fit grows to fit it, keeping its left edge, and goes
// back to its laid-out width once its text fits again; a window too narrow for
// the grown field widens with it, and narrows again with it while nothing else
// has sized the window. Words and sentences keep the width they were laid out
// with.
bool HoldsNumber(const QString& text);

// The size a control is laid out with, and the size it was last fitted to.
struct FittedSize {
    QSize laidOut;
    QSize fitted;
    // Sets each side of the control to the larger of its laid-out one and
    // `needed`'s; a window too narrow or too low for it grows with it. A window
    // grown so, whose size nothing else has changed since, gives back what its
    // grown controls no longer need, down to the size it had before.
    void Fit(QWidget* control, QSize needed);
    // Gives a grown control its laid-out size back; the Fit that follows
    // settles its window's size.
    void Restore(QWidget* control);
};

// Whether a text laid out with these flags (alignment, word wrap) in the
// rectangle at this font lies wholly inside it.
bool TextFits(const QFont& font, const QRect& rect, int flags, const QString& text);

// The smallest pixel size a text is shrunk to.
constexpr int kSmallestTextSize = 6;

// The declared font at the largest pixel size, from its own down to the
// smallest readable one, at which `fits` holds; the smallest when none does.
// A text that does not fit even then is shown whole at that size by growing
// its control (keeping its left and top edges), never cut.
QFont FittedFont(const QFont& declared, const std::function<bool(const QFont&)>& fits);

// A text label. Its text keeps carriage returns (character 13), shown as line
// breaks; a break at the end starts no line of its own. A number widens the
// label to show whole; any other text keeps the label's place and size and is
// shown whole in it, at the declared font size or the largest smaller one at
// which it fits.
class StaticText : public QLabel {
    Q_OBJECT
public:
    explicit StaticText(QWidget* parent = nullptr);
    QString Text() const { return text_; }
    void SetText(const QString& text);
    Color TextColor() const { return color_; }
    void SetTextColor(Color c);
    // The font the label was given; font() is the one it shows its text in.
    QFont DeclaredFont() const { return declared_; }
    // The rectangle and layout flags the text is shown with.
    QRect TextRect() const;
    int TextFlags() const;

protected:
    // A press on a label is the label's own: it does not reach the window.
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFont();
    QString text_;
    Color color_ = kBlack;
    FittedSize size_;
    QSize overflow_;  // the size the text needs at the smallest font, when larger
    QFont declared_;
    bool fitting_ = false;
};

// The caption of a button shown whole in the button's place and size: at the
// declared font size or the largest smaller one at which it fits (a check box's
// or radio button's indicator and caption its width, a push button's caption
// the inside of its bevel).
struct CaptionFit {
    void FontChanged(QAbstractButton* button);
    void Fit(QAbstractButton* button);
    QFont declared;
    bool fitting = false;
    FittedSize size;
};

// A button of the kind `Button` whose caption is fitted anew whenever its
// font, its size or its caption changes.
template <class Button>
class FittedCaptionButton : public Button {
public:
    using Button::Button;
    QString Caption() const { return this->text(); }
    void SetCaption(const QString& c) {
        this->setText(c);
        fit_.Fit(this);
    }

protected:
    void changeEvent(QEvent* event) override {
        Button::changeEvent(event);
        if (event->type() == QEvent::FontChange) fit_.FontChanged(this);
    }
    void resizeEvent(QResizeEvent* event) override {
        Button::resizeEvent(event);
        fit_.Fit(this);
    }

private:
    CaptionFit fit_;
};

class PushButton : public FittedCaptionButton<QPushButton> {
    Q_OBJECT
public:
    explicit PushButton(QWidget* parent = nullptr);
    // Presses the button as a click does (when enabled and shown).
    void Push();
    std::function<void()> Action;
};

// A push or toggle button, optionally with a pop-up menu of rows. With a menu,
// a press shows the rows; choosing one sets MenuValue and fires Action.
class BevelButton : public FittedCaptionButton<QPushButton> {
    Q_OBJECT
public:
    explicit BevelButton(QWidget* parent = nullptr);
    int ButtonType() const { return buttonType_; }  // 0 push, 1 toggle
    void SetButtonType(int type);
    // A toggle's state; for a push button, whether it is shown pressed.
    bool Value() const { return buttonType_ == 1 ? isChecked() : pressed_; }
    void SetValue(bool v);
    int HasMenu() const { return hasMenu_; }
    void SetHasMenu(int kind) { hasMenu_ = kind; }
    int CaptionAlign() const { return captionAlign_; }
    void SetCaptionAlign(int align);
    void AddRow(const QString& row);
    void AddSeparator();
    // Adds the fields of a comma-separated text as rows, in order; a field
    // "Sep" becomes a separator and a trailing comma an empty last row.
    void AddRowsFrom(const QString& fields);
    void DeleteAllRows() { rows_.clear(); }
    QStringList Rows() const { return rows_; }
    int MenuValue() const { return menuValue_; }
    // Sets the chosen row as code does: the caption stays and Action does not run.
    void SetMenuValue(int index) { menuValue_ = index; }
    // Chooses a row as the user does from the pop-up menu (fires Action).
    void ChooseRow(int index);
    std::function<void()> Action;

private:
    void Pressed();
    int buttonType_ = 0;
    int hasMenu_ = 0;
    int captionAlign_ = 0;
    int menuValue_ = -1;
    bool pressed_ = false;
    QStringList rows_;  // "-" for a separator
};

class CheckBox : public FittedCaptionButton<QCheckBox> {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);
    bool Value() const { return isChecked(); }
    void SetValue(bool v) { setChecked(v); }
    std::function<void()> Action;
};

// Radio buttons exclude each other within their group (set by the factory).
// Action runs when the button becomes selected, not when it is turned off.
class RadioButton : public FittedCaptionButton<QRadioButton> {
    Q_OBJECT
public:
    explicit RadioButton(QWidget* parent = nullptr);
    bool Value() const { return isChecked(); }
    // Turning the selected button off leaves its group with none selected.
    void SetValue(bool v);
    std::function<void()> Action;
};

class PopupMenu : public QComboBox {
    Q_OBJECT
public:
    explicit PopupMenu(QWidget* parent = nullptr);
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int i) { setCurrentIndex(i); }
    void AddRow(const QString& row) { addItem(row); }
    QString Text() const { return currentText(); }
    int ListCount() const { return count(); }
    std::function<void()> Change;
};

class Slider : public QSlider {
    Q_OBJECT
public:
    explicit Slider(QWidget* parent = nullptr);
    int Value() const { return value(); }
    // A new value fires ValueChanged; the value it already has fires nothing.
    void SetValue(int v) { setValue(v); }
    int Maximum() const { return maximum(); }
    // Sets the upper end without firing ValueChanged, also when the value has
    // to come down to it.
    void SetMaximum(int m);
    std::function<void()> ValueChanged;
};

// Two small arrows, up above down.
class LittleArrows : public QWidget {
    Q_OBJECT
public:
    explicit LittleArrows(QWidget* parent = nullptr);
    std::function<void()> Up;
    std::function<void()> Down;
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* up_;
    QPushButton* down_;
};

// A panel of tab pages. Controls on page i are children of Page(i); only the
// current page (Value, from 0) is shown.
class TabPanel : public QWidget {
    Q_OBJECT
public:
    explicit TabPanel(QWidget* parent = nullptr);
    void SetPages(const QStringList& captions);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int index) const;
    int Value() const { return tabs_->currentIndex(); }
    void SetValue(int index) { tabs_->setCurrentIndex(index); }
    QTabBar* Tabs() const { return tabs_; }
    // The font of the page names, shown whole at it or the largest smaller
    // size at which all names fit the panel's width.
    void SetTabFont(const QFont& font);
    std::function<void()> Change;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowCurrent();
    void LayOut();
    QTabBar* tabs_;
    QFont tabFont_;
    QFrame* frame_;
    std::vector<QWidget*> pages_;
};

// A framed title over other controls. It does not contain them and never takes
// the mouse, so the controls it lies over stay clickable. The frame's top runs
// through the middle of the caption, which stands a small inset from the left
// of the part of the box that shows (a box reaching past its window's edge
// keeps its caption inside the window), at the declared font size or the
// largest smaller one at which it fits that part.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(QWidget* parent = nullptr);
    QString Caption() const { return title(); }
    // The font and the rectangle (box pixels) the caption is shown in.
    QFont CaptionFont() const;
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect Shown() const;
    QRect CaptionRectAt(const QFont& font) const;
};

// Keeps the texts of labels laid out side by side with overlapping or touching
// rectangles apart: each label shows its text only in the part of its
// rectangle that its neighbour's leaves free, with a gap between the two.
void KeepTextsApart(const std::vector<StaticText*>& labels);

// A drop target for files of the accepted file types.
class ImageWell : public QFrame, public FileDropTarget {
    Q_OBJECT
public:
    explicit ImageWell(QWidget* parent = nullptr);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class EditField : public QLineEdit {
    Q_OBJECT
public:
    explicit EditField(QWidget* parent = nullptr);
    QString Text() const { return text(); }
    void SetText(const QString& t);
    void SetTextColor(Color c);
    std::function<void()> TextChange;

private:
    FittedSize size_;
};

// A plain rectangle drawn with a border and optional fill.
class RectangleControl : public QWidget {
    Q_OBJECT
public:
    explicit RectangleControl(QWidget* parent = nullptr);
    Color BorderColor = kBlack;
    Color FillColor = kWhite;
    bool Filled = false;
    int BorderWidth = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);
    int Value() const { return value(); }
    void SetValue(int v) { setValue(v); }
};

}  // namespace qv
