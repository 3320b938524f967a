// Metrics for the interval chooser: a slim drop-down arrow and a thin margin, so the
// widest entry, " Split Every 60:00", fits the chooser's fixed width uncut.
#pragma once

#include <QProxyStyle>

namespace parvane {

class CompactComboStyle final : public QProxyStyle {
    Q_OBJECT
public:
    CompactComboStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl part, const QWidget* widget) const override;
};

}  // namespace parvane
