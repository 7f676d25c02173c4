#include "Frame.h"

#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <qdrawutil.h>

void Frame::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect caption = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    const int top = caption.center().y();
    QRect etched = rect().adjusted(0, top, 0, 0);
    // The caption interrupts the top edge, as on Windows.
    painter.save();
    painter.setClipRegion(QRegion(rect()).subtracted(caption.adjusted(-2, 0, 2, 0)));
    qDrawShadeRect(&painter, etched, palette(), true, 1);
    painter.restore();
    option.subControls = QStyle::SC_GroupBoxLabel;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}
