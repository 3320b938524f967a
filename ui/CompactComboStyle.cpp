#include "ui/CompactComboStyle.h"

#include <QStyleOptionComboBox>
#include <QStyleOptionMenuItem>

namespace parvane {

namespace {

constexpr int kArrowWidth = 16;
constexpr int kFrame = 2;

QString Spaced(const QString& text) {
    return QLatin1Char(' ') + text;
}

}  // namespace

CompactComboStyle::CompactComboStyle() = default;

QRect CompactComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
    if (control == CC_ComboBox && option != nullptr) {
        const QRect box = option->rect;
        if (part == SC_ComboBoxArrow) {
            return {box.right() + 1 - kArrowWidth, box.top(), kArrowWidth, box.height()};
        }
        if (part == SC_ComboBoxEditField) {
            return box.adjusted(kFrame, kFrame, -kArrowWidth, -kFrame);
        }
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

// The entries of the closed box and of its drop-down list (drawn as menu items).
void CompactComboStyle::drawControl(ControlElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (element == CE_ComboBoxLabel) {
        if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option)) {
            QStyleOptionComboBox spaced(*box);
            spaced.currentText = Spaced(box->currentText);
            QProxyStyle::drawControl(element, &spaced, painter, widget);
            return;
        }
    }
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem spaced(*item);
            spaced.text = Spaced(item->text);
            QProxyStyle::drawControl(element, &spaced, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace parvane
