#include "Bedienelemente.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>

namespace velorin {

namespace {
constexpr int CaptionStreifen = 20;
}

TPanel::TPanel(const QString& name, const QString& caption, QWidget* parent) : QFrame(parent) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    if (!caption.isEmpty()) {
        FCaption = new QLabel(caption, this);
        FCaption->setObjectName(name + QStringLiteral("Caption"));
        FCaption->setAutoFillBackground(true);
        FCaption->setBackgroundRole(QPalette::Highlight);
        FCaption->setForegroundRole(QPalette::HighlightedText);
        FCaption->setContentsMargins(6, 0, 6, 0);
        QFont f = FCaption->font();
        f.setBold(true);
        FCaption->setFont(f);
        FCaption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

int TPanel::CaptionHoehe() const {
    return FCaption ? CaptionStreifen : 0;
}

void TPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (FCaption) FCaption->setGeometry(0, 0, width(), CaptionStreifen);
    if (OnResize) OnResize();
}

TBildflaeche::TBildflaeche(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image"));
    // The whole area is painted here, every time.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
}

void TBildflaeche::Leeren() {
    FBild = QImage();
    update();
}

void TBildflaeche::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    if (!FBild.isNull()) p.drawImage(0, 0, FBild);
}

void TBildflaeche::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (OnResize) OnResize();
}

} // namespace velorin
