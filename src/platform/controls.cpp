#include "platform/controls.h"

#include <QButtonGroup>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>
#include <map>

#include "platform/window.h"

namespace qv {

namespace {

QWidget* Base(const QWidget* control) {
    QWidget* top = control->window();
    if (auto* w = qobject_cast<Window*>(top)) return w->Content();
    return top;
}

QPoint WindowPos(const QWidget* control) {
    QWidget* base = Base(control);
    QWidget* parent = control->parentWidget();
    if (!parent || parent == base || control == base) return control->pos();
    return parent->mapTo(base, control->pos());
}

QPoint ParentOrigin(const QWidget* control) {
    QWidget* base = Base(control);
    QWidget* parent = control->parentWidget();
    if (!parent || parent == base) return QPoint(0, 0);
    return parent->mapTo(base, QPoint(0, 0));
}

}  // namespace

int ControlLeft(const QWidget* control) { return WindowPos(control).x(); }
int ControlTop(const QWidget* control) { return WindowPos(control).y(); }

void SetControlLeft(QWidget* control, int left) {
    control->move(left - ParentOrigin(control).x(), control->y());
}

void SetControlTop(QWidget* control, int top) {
    control->move(control->x(), top - ParentOrigin(control).y());
}

void SetControlBounds(QWidget* control, int left, int top, int width, int height) {
    const QPoint o = ParentOrigin(control);
    control->setGeometry(left - o.x(), top - o.y(), width, height);
}

// ---- number fields -------------------------------------------------------------

bool HoldsNumber(const QString& text) {
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); })) return false;
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

namespace {
// The width a line of text covers, overhanging glyphs included.
int LineWidth(const QFontMetrics& fm, const QString& text) {
    return std::max(fm.horizontalAdvance(text), fm.boundingRect(text).width()) + 1;
}
}  // namespace

namespace {

// What controls grown for their texts did to their window: the size the window
// had before they grew it, the size they left it at, and the controls that are
// larger now than they were laid out. A child of the window, made when a
// control first grows there.
class Growth : public QObject {
public:
    explicit Growth(Window* window) : QObject(window) { setObjectName(Name()); }
    static QString Name() { return QStringLiteral("qv_grown_controls"); }
    QSize before, after;
    std::vector<QPointer<QWidget>> grown;
};

Growth* GrowthOf(Window* window, bool make) {
    QObject* found = window->findChild<QObject*>(Growth::Name(), Qt::FindDirectChildrenOnly);
    if (auto* g = dynamic_cast<Growth*>(found)) return g;
    return make ? new Growth(window) : nullptr;
}

QSize Reach(const QWidget* control) {
    return QSize(ControlLeft(control) + control->width(), ControlTop(control) + control->height());
}

QSize SizeOf(const Window* window) { return QSize(window->Width(), window->Height()); }

// The window of a control that was just fitted follows it: a control that grew
// past the window's edge enlarges the window to match, and a window enlarged so
// whose size nothing else has changed since (the program, the desktop or the
// user) goes back as far towards its own size as its grown controls allow.
void FollowFittedControl(QWidget* control, bool grown, bool resized) {
    auto* window = qobject_cast<Window*>(control->window());
    if (!window) return;
    Growth* g = GrowthOf(window, grown);
    if (!g) return;  // nothing grows here
    auto& list = g->grown;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [control](const QPointer<QWidget>& c) { return !c || c == control; }),
               list.end());
    if (grown) list.emplace_back(control);
    const QSize now = SizeOf(window);
    const QSize reach = Reach(control);
    if (grown && resized && (reach.width() > now.width() || reach.height() > now.height())) {
        // Growth after growth counts from the size the window had before the first.
        if (g->after != now) g->before = now;
        const QSize wider = now.expandedTo(reach);
        window->SetSize(wider.width(), wider.height());
        g->after = SizeOf(window);
        return;
    }
    if (!g->before.isValid() || g->after != now) return;
    QSize back = g->before;
    for (const QPointer<QWidget>& c : list) back = back.expandedTo(Reach(c));
    back = back.boundedTo(now);
    if (back == g->before) g->before = QSize();  // all given back
    if (back == now) return;
    window->SetSize(back.width(), back.height());
    g->after = SizeOf(window);
}

}  // namespace

void FittedSize::Fit(QWidget* control, QSize needed) {
    // Laid out anew (by the factory, the window's layout or the program) since the last fit.
    if (!fitted.isValid() || control->size() != fitted) laidOut = control->size();
    fitted = laidOut.expandedTo(needed);
    const bool resized = fitted != control->size();
    if (resized) control->resize(fitted);
    FollowFittedControl(control, fitted != laidOut, resized);
}

void FittedSize::Restore(QWidget* control) {
    if (fitted.isValid() && control->size() == fitted && fitted != laidOut)
        control->resize(laidOut);
}

// ---- StaticText --------------------------------------------------------------

bool TextFits(const QFont& font, const QRect& rect, int flags, const QString& text) {
    const QRect used = QFontMetrics(font).boundingRect(rect, flags, text);
    return used.width() <= rect.width() && used.height() <= rect.height();
}

QFont FittedFont(const QFont& declared, const std::function<bool(const QFont&)>& fits) {
    QFont shown = declared;
    for (int size = QFontInfo(declared).pixelSize(); size >= kSmallestTextSize; --size) {
        shown.setPixelSize(size);
        if (fits(shown)) break;
    }
    return shown;
}

StaticText::StaticText(QWidget* parent) : QLabel(parent), declared_(font()) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void StaticText::SetText(const QString& text) {
    text_ = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    // A sentence is fitted to the label's own size, not to one grown for an earlier text.
    if (!HoldsNumber(text)) size_.Restore(this);
    setText(shown);
    FitFont();
    QSize needed = overflow_;
    if (HoldsNumber(text)) {
        const QMargins m = contentsMargins();
        needed.setWidth(LineWidth(fontMetrics(), text) + 2 * (frameWidth() + margin()) + m.left() +
                        m.right());
    }
    size_.Fit(this, needed);
}

QRect StaticText::TextRect() const {
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

int StaticText::TextFlags() const {
    return static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
}

void StaticText::FitFont() {
    fitting_ = true;
    QFont shown = declared_;
    overflow_ = QSize();
    // A number grows its label instead; an empty label has nothing to fit.
    if (!text().isEmpty() && !HoldsNumber(text_) && width() > 0 && height() > 0) {
        const QRect room = TextRect();
        const auto fits = [&](const QFont& f) { return TextFits(f, room, TextFlags(), text()); };
        shown = FittedFont(declared_, fits);
        if (!fits(shown)) {
            // The size the label needs to show the text whole at the smallest font.
            const QRect tall(room.topLeft(), QSize(room.width(), 1 << 20));
            const QSize used = QFontMetrics(shown).boundingRect(tall, TextFlags(), text()).size();
            overflow_ = used.expandedTo(room.size()) + size() - room.size();
        }
    }
    if (shown != font()) setFont(shown);
    fitting_ = false;
}

void StaticText::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) {
        declared_ = font();
        FitFont();
    }
}

void StaticText::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    FitFont();
}

void StaticText::mousePressEvent(QMouseEvent* event) { event->accept(); }

void StaticText::SetTextColor(Color c) {
    color_ = c;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(0xFF000000u | c));
    setPalette(p);
}

// ---- PushButton --------------------------------------------------------------

PushButton::PushButton(QWidget* parent) : FittedCaptionButton(parent) {
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (Action) Action();
    });
}

void PushButton::Push() {
    if (isEnabled() && isVisible()) click();
}

// ---- BevelButton -------------------------------------------------------------

BevelButton::BevelButton(QWidget* parent) : FittedCaptionButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (buttonType_ == 0) Pressed();
    });
    connect(this, &QPushButton::toggled, this, [this](bool) {
        if (buttonType_ == 1 && Action) Action();
    });
}

void BevelButton::SetButtonType(int type) {
    buttonType_ = type;
    setCheckable(type == 1);
}

void BevelButton::SetValue(bool v) {
    if (buttonType_ == 1) {
        setChecked(v);
    } else {
        pressed_ = v;
        setDown(v);
    }
}

void BevelButton::SetCaptionAlign(int align) {
    captionAlign_ = align;
    // 0 and 3 are the framework's codes for the platform default and centred.
    setStyleSheet(align == 1 ? QStringLiteral("text-align: left")
                  : align == 2 ? QStringLiteral("text-align: right")
                               : QString());
}

void BevelButton::AddRow(const QString& row) { rows_ << row; }

void BevelButton::AddSeparator() { rows_ << QStringLiteral("-"); }

void BevelButton::AddRowsFrom(const QString& fields) {
    for (const QString& field : fields.split(QLatin1Char(','))) {
        if (field == QLatin1String("Sep")) AddSeparator();
        else AddRow(field);
    }
}

void BevelButton::ChooseRow(int index) {
    if (index < 0 || index >= rows_.size() || rows_[index] == QLatin1String("-")) return;
    menuValue_ = index;
    if (Action) Action();
}

void BevelButton::Pressed() {
    if (hasMenu_ == 0) {
        if (Action) Action();
        return;
    }
    QMenu menu(this);
    std::vector<QAction*> actions;
    for (const QString& row : rows_) {
        if (row == QLatin1String("-")) {
            menu.addSeparator();
            actions.push_back(nullptr);
        } else {
            actions.push_back(menu.addAction(row));
        }
    }
    QAction* chosen = menu.exec(mapToGlobal(QPoint(0, height())));
    if (!chosen) return;
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen) ChooseRow(static_cast<int>(i));
}

// ---- CheckBox, RadioButton, PopupMenu, Slider ----------------------------------

void CaptionFit::FontChanged(QAbstractButton* button) {
    if (fitting) return;
    declared = button->font();
    Fit(button);
}

namespace {
// How much wider than it is a button must be to show its caption whole at its
// present font: 0 when it fits (in height too, for a push button).
int CaptionShortfall(QAbstractButton* button) {
    auto* push = qobject_cast<QPushButton*>(button);
    // A check box's or radio button's size hint counts its indicator too.
    if (!push) return std::max(0, button->sizeHint().width() - button->width());
    QStyleOptionButton option;
    option.initFrom(push);
    option.features =
        push->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
    option.text = push->text();
    // The caption is drawn inside the bevel, the button's contents rectangle.
    const QRect inside =
        push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
    const QSize text = push->fontMetrics().size(Qt::TextShowMnemonic, push->text());
    if (text.height() > inside.height() + 2) return std::max(1, text.width() - inside.width());
    return std::max(0, text.width() - inside.width());
}
}  // namespace

void CaptionFit::Fit(QAbstractButton* button) {
    if (fitting || button->text().isEmpty() || button->width() <= 0) return;
    fitting = true;
    size.Restore(button);
    // Each size is tried on the button itself, since its style measures it.
    FittedFont(declared, [button](const QFont& f) {
        if (f != button->font()) button->setFont(f);
        return CaptionShortfall(button) == 0;
    });
    size.Fit(button, QSize(button->width() + CaptionShortfall(button), 0));
    fitting = false;
}

CheckBox::CheckBox(QWidget* parent) : FittedCaptionButton(parent) {
    connect(this, &QCheckBox::toggled, this, [this](bool) {
        if (Action) Action();
    });
}

RadioButton::RadioButton(QWidget* parent) : FittedCaptionButton(parent) {
    setAutoExclusive(false);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on && Action) Action();
    });
}

void RadioButton::SetValue(bool v) {
    QButtonGroup* g = group();
    if (v || !g || !g->exclusive() || !isChecked()) {
        setChecked(v);
        return;
    }
    // An exclusive group refuses to turn its selected button off.
    g->setExclusive(false);
    setChecked(false);
    g->setExclusive(true);
}

PopupMenu::PopupMenu(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int) {
        if (Change) Change();
    });
}

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    connect(this, &QSlider::valueChanged, this, [this](int) {
        if (ValueChanged) ValueChanged();
    });
}

void Slider::SetMaximum(int m) {
    const QSignalBlocker quiet(this);
    setMaximum(m);
}

// ---- LittleArrows --------------------------------------------------------------

LittleArrows::LittleArrows(QWidget* parent)
    : QWidget(parent), up_(new QPushButton(this)), down_(new QPushButton(this)) {
    for (QPushButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setStyleSheet(QStringLiteral("padding: 0px; font-size: 7px;"));
    }
    up_->setText(QStringLiteral("\u25B2"));
    down_->setText(QStringLiteral("\u25BC"));
    connect(up_, &QPushButton::clicked, this, [this] {
        if (Up) Up();
    });
    connect(down_, &QPushButton::clicked, this, [this] {
        if (Down) Down();
    });
}

void LittleArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

// ---- TabPanel ------------------------------------------------------------------

TabPanel::TabPanel(QWidget* parent)
    : QWidget(parent), tabs_(new QTabBar(this)), frame_(new QFrame(this)) {
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setFocusPolicy(Qt::NoFocus);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int) {
        ShowCurrent();
        if (Change) Change();
    });
}

void TabPanel::SetPages(const QStringList& captions) {
    const QSignalBlocker block(tabs_);
    for (const QString& c : captions) {
        tabs_->addTab(c);
        auto* page = new QWidget(this);
        page->setGeometry(0, 0, width(), height());
        pages_.push_back(page);
    }
    frame_->lower();
    tabs_->raise();
    ShowCurrent();
}

QWidget* TabPanel::Page(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return pages_[static_cast<size_t>(index)];
}

void TabPanel::ShowCurrent() {
    for (int i = 0; i < PageCount(); ++i) pages_[static_cast<size_t>(i)]->setVisible(i == Value());
}

void TabPanel::SetTabFont(const QFont& font) {
    tabFont_ = font;
    LayOut();
}

void TabPanel::resizeEvent(QResizeEvent*) {
    LayOut();
}

void TabPanel::LayOut() {
    const int room = std::max(0, width() - 12);
    if (!tabFont_.family().isEmpty() && room > 0)
        FittedFont(tabFont_, [this, room](const QFont& f) {
            if (f != tabs_->font()) tabs_->setFont(f);
            return tabs_->sizeHint().width() <= room;
        });
    const int tabHeight = tabs_->sizeHint().height();
    tabs_->setGeometry(6, 0, std::max(0, width() - 12), tabHeight);
    frame_->setGeometry(0, tabHeight / 2, width(), height() - tabHeight / 2);
    for (QWidget* page : pages_) page->setGeometry(0, 0, width(), height());
    tabs_->raise();
}

// ---- GroupBox ------------------------------------------------------------------

namespace {
constexpr int kCaptionInset = 8;  // from the box's shown left edge to its caption
}  // namespace

GroupBox::GroupBox(QWidget* parent) : QGroupBox(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QRect GroupBox::Shown() const {
    QRect shown = rect();
    for (QWidget* w = parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget())
        shown &= QRect(mapFrom(w, QPoint(0, 0)), w->size());
    return shown;
}

QFont GroupBox::CaptionFont() const {
    const QRect shown = Shown();
    const QRect room(shown.left() + kCaptionInset, 0, shown.width() - 2 * kCaptionInset, height());
    if (title().isEmpty() || room.width() <= 0) return font();
    return FittedFont(font(), [&](const QFont& f) {
        return TextFits(f, room, Qt::AlignLeft | Qt::AlignTop, title());
    });
}

QRect GroupBox::CaptionRect() const {
    return CaptionRectAt(CaptionFont());
}

QRect GroupBox::CaptionRectAt(const QFont& font) const {
    if (title().isEmpty()) return QRect();
    const QFontMetrics fm(font);
    const int left = std::max(0, Shown().left()) + kCaptionInset;
    return QRect(left, 0, LineWidth(fm, title()), fm.height());
}

void GroupBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFont font = CaptionFont();
    const QRect caption = CaptionRectAt(font);
    const int top = caption.height() / 2;
    p.setPen(palette().color(QPalette::Window).darker(140));
    p.drawRect(0, top, width() - 1, height() - 1 - top);
    if (caption.isEmpty()) return;
    p.fillRect(caption.adjusted(-2, 0, 2, 0), palette().window());
    p.setFont(font);
    style()->drawItemText(&p, caption, Qt::AlignLeft | Qt::AlignTop, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}

void KeepTextsApart(const std::vector<StaticText*>& labels) {
    std::map<StaticText*, QMargins> margins;
    for (StaticText* a : labels)
        for (StaticText* b : labels) {
            if (a == b || a->parentWidget() != b->parentWidget()) continue;
            const QRect ra = a->geometry(), rb = b->geometry();
            // b stands to the right of a, side by side, and reaches into a or touches it
            const bool sideBySide = ra.top() <= rb.bottom() && rb.top() <= ra.bottom();
            if (!sideBySide || rb.left() <= ra.left() || rb.left() > ra.right() + 1 ||
                rb.right() <= ra.right())
                continue;
            // Each gives up the shared strip and a pixel beside it.
            QMargins& ma = margins[a];
            QMargins& mb = margins[b];
            ma.setRight(std::max(ma.right(), ra.right() - rb.left() + 2));
            mb.setLeft(std::max(mb.left(), ra.right() - rb.left() + 2));
        }
    for (const auto& [label, m] : margins) {
        label->setContentsMargins(m);
        label->SetText(label->Text());  // fitted anew in the room left
    }
}

// ---- ImageWell -----------------------------------------------------------------

ImageWell::ImageWell(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAcceptDrops(true);
}

void ImageWell::dragEnterEvent(QDragEnterEvent* event) { DragEntered(event); }

void ImageWell::dragMoveEvent(QDragMoveEvent* event) { DragMoved(event); }

void ImageWell::dropEvent(QDropEvent* event) { Dropped(event); }

// ---- EditField, Rectangle, ProgressBar -------------------------------------------

EditField::EditField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString&) {
        if (TextChange) TextChange();
    });
}

void EditField::SetText(const QString& t) {
    setText(t);
    int needed = 0;
    if (HoldsNumber(t)) {
        QStyleOptionFrame option;
        initStyleOption(&option);
        // The text's width, the line edit's own margin of 2 pixels a side and its cursor.
        const QMargins tm = textMargins(), cm = contentsMargins();
        const int inner = LineWidth(fontMetrics(), t) + 2 * 2 + 1 + tm.left() + tm.right() +
                          cm.left() + cm.right();
        needed = style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, height()), this)
                     .width();
    }
    size_.Fit(this, QSize(needed, 0));
}

void EditField::SetTextColor(Color c) {
    QPalette p = palette();
    p.setColor(QPalette::Text, QColor::fromRgb(0xFF000000u | c));
    setPalette(p);
}

RectangleControl::RectangleControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RectangleControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (Filled) p.fillRect(rect(), QColor::fromRgb(0xFF000000u | FillColor));
    const QColor border = QColor::fromRgb(0xFF000000u | BorderColor);
    for (int i = 0; i < BorderWidth && 2 * i < std::min(width(), height()); ++i) {
        p.setPen(border);
        p.drawRect(i, i, width() - 1 - 2 * i, height() - 1 - 2 * i);
    }
}

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

}  // namespace qv
