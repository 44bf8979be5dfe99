// The two small controls of the calculator window: a panel with a caption strip and the
// drawing area that shows the triangle bitmap.
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>

#include <functional>

class QLabel;

namespace velorin {

// A panel whose caption, if any, is shown as a strip along its top edge.
class TPanel : public QFrame {
public:
    explicit TPanel(const QString& name, const QString& caption, QWidget* parent);

    // Height of the caption strip; 0 for a panel without caption.
    int CaptionHoehe() const;
    QLabel* CaptionLabel() const { return FCaption; }

    // Called after every size change, to place the children anchored to the right or bottom.
    std::function<void()> OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* FCaption = nullptr;
};

// Shows its bitmap at its top left corner on white; the bitmap is redrawn from outside on every
// size change.
class TBildflaeche : public QWidget {
public:
    explicit TBildflaeche(QWidget* parent);

    QImage& Bild() { return FBild; }
    const QImage& Bild() const { return FBild; }
    // An empty picture (0 x 0 pixels).
    void Leeren();

    std::function<void()> OnResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage FBild;
};

} // namespace velorin
