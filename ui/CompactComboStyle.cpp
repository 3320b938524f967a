#include "CompactComboStyle.h"

#include <QStyleOptionComplex>

namespace parvane {

namespace {

constexpr int kArrowWidth = 16;
constexpr int kFrame = 2;

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

}  // namespace parvane
