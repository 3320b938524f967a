// Modal messages to the user, OK only, titled with the program's name. Replaceable so
// tests can answer them.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace parvane {

inline constexpr const char* kMessageTitle = "Parvane";

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // The text at the top; the lines, when there are any, in a list below it.
    virtual void Show(QWidget* parent, const QString& text, const QStringList& lines) = 0;
};

// A box the user may resize: the list shows its lines at once where they fit, scrolls
// where they do not, and grows with the box.
class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QStringList& lines) override;
};

}  // namespace parvane
