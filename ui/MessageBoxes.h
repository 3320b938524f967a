// Modal messages to the user, titled with the program's name: OK, and now and then one
// more button. Replaceable so tests can answer them.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace parvane {

inline constexpr const char* kMessageTitle = "Parvane";

// What a box may show below its text.
struct MessageMore {
    QStringList lines;
    // Paths the lines may hold: a line too wide for the box is shortened in the longest
    // of them it holds, else in its middle.
    QStringList paths;
    // The caption of a button besides OK; empty for OK alone.
    QString action;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // The text at the top; the lines, when there are any, in a list below it. True when
    // the person pressed the action's button.
    virtual bool Show(QWidget* parent, const QString& text, const MessageMore& more) = 0;
};

// A box as high as its lines, within the screen, and as wide as the widest of them within
// three quarters of the screen; the person may resize it.
class QtMessageBoxes final : public MessageBoxes {
public:
    bool Show(QWidget* parent, const QString& text, const MessageMore& more) override;
};

}  // namespace parvane
