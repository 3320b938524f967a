// A command button drawn as a graphical check box: white face, a 32 x 32 picture above
// a caption that wraps onto a second line when it must, and a sunken look while pressed
// or checked; greyed while it looks unavailable. It raises its own MouseMove for the
// window's hover rule.
#pragma once

#include <QIcon>
#include <QToolButton>

namespace parvane {

class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& caption, const QIcon& picture, QWidget* parent);

    // The look, and what assistive technology is told: the button stays enabled, keeps
    // its focus and its hovers.
    void SetLooksUnavailable(bool unavailable);
    bool LooksUnavailable() const { return looksUnavailable_; }

signals:
    void MouseMove();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool looksUnavailable_ = false;
};

}  // namespace parvane
