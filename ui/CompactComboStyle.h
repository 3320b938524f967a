// The interval chooser's look: a slim drop-down arrow and a thin margin, so the widest
// entry, " Split Every 60:00", fits the chooser's fixed width uncut. Each entry is shown
// after a blank that is only drawn: its text, which assistive technology reads, has none.
#pragma once

#include <QProxyStyle>

namespace parvane {

class CompactComboStyle final : public QProxyStyle {
    Q_OBJECT
public:
    CompactComboStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace parvane
