#pragma once

#include <QGroupBox>

// A frame as the Windows window draws it: an etched rectangle under its caption. The
// caption is the style's; the rectangle is drawn here, since Qt's Fusion style draws its own
// from an image whose loading probes every image plugin at the first paint.
class Frame final : public QGroupBox {
public:
    Frame(const QString &caption, QWidget *parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent *event) override;
};
