#include "ui/Accessibility.h"

#include <QAccessibleWidget>

#include "ui/JobProgressBar.h"
#include "ui/MainWindow.h"
#include "ui/PictureButton.h"

namespace parvane {

namespace {

// The buttons are check boxes underneath, which Qt would announce as such, with a Toggle.
class PictureButtonAccessible final : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.disabled = Button()->LooksUnavailable();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && Button()->accessibleName().isEmpty()) {
            return Button()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (!Button()->LooksUnavailable()) {
                Button()->click();
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    PictureButton* Button() const { return static_cast<PictureButton*>(widget()); }
};

// Qt's own offers the value as changeable, and screen readers then offer to raise and
// lower what only the job sets. The value is told as words instead, beside the job's.
class JobProgressAccessible final : public QAccessibleWidget {
public:
    explicit JobProgressAccessible(JobProgressBar* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return JobProgressBar::tr("%1 %").arg(static_cast<JobProgressBar*>(widget())->value());
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* WindowAccessibility(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureButton::staticMetaObject.className())) {
        return new PictureButtonAccessible(static_cast<PictureButton*>(object));
    }
    if (className == QLatin1String(JobProgressBar::staticMetaObject.className())) {
        return new JobProgressAccessible(static_cast<JobProgressBar*>(object));
    }
    if (className == QLatin1String(MainWindow::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    QAccessible::installFactory(WindowAccessibility);
}

}  // namespace parvane
