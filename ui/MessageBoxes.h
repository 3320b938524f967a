// Modal messages to the user, OK only, titled with the program's name. Replaceable so
// tests can answer them.
#pragma once

#include <QString>

class QWidget;

namespace parvane {

inline constexpr const char* kMessageTitle = "Parvane";

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void Show(QWidget* parent, const QString& text) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text) override;
};

}  // namespace parvane
