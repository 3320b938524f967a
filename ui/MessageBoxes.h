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
    // Details, when given, go in a part of the box that opens on request and scrolls.
    virtual void Show(QWidget* parent, const QString& text, const QString& details) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget* parent, const QString& text, const QString& details) override;
};

}  // namespace parvane
