#include "app/window8.h"

#include <QLabel>

#include "workspace/window1.h"

namespace qv {

Window8::Window8() {
    Layout();
    CreateControls();
}

void Window8::Layout() {
    SetTitle(QStringLiteral("Quorvane beta"));
    SetMinimumSize(64, 64);
    SetSize(413, 432);
}

void Window8::CreateControls() {
    auto* name = new QLabel(QStringLiteral("Quorvane"), Content());
    name->setObjectName(QStringLiteral("StaticText1"));
    name->setGeometry(131, 291, 150, 20);
    name->setAlignment(Qt::AlignCenter);
    QFont f = name->font();
    f.setPixelSize(18);
    f.setBold(true);
    name->setFont(f);

    PushButton1 = new QPushButton(QStringLiteral("Start"), Content());
    PushButton1->setObjectName(QStringLiteral("PushButton1"));
    PushButton1->setGeometry(296, 398, 87, 20);
    connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Action(); });
}

void Window8::PushButton1_Action() {
    Window1::instance()->Show();
    Close();
}

}  // namespace qv
