#include "tests/support/WindowTestSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QStyleOptionComboBox>
#include <QTest>

#include "app/WindowProgram.h"

namespace parvane::test {

void FakeDesktop::Note(const QString& what, const QStringList& more) {
    shown.append(what);
    lines = more;
    if (whileShown) whileShown();
}

// The stand-in splitter reads its settings beside itself, so both are linked into bin.
FormHarness::FormHarness() {
    QDir(Root()).mkpath(QStringLiteral("bin"));
    for (const char* name : {"/mp3splt", "/fake.conf"}) {
        QFile::link(QString::fromStdString(splitter.ApplicationFolder()) + name, Bin() + name);
    }
}

MainWindow& FormHarness::Start(double draw, MessageBoxes* boxes,
                               std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "parvane");
    form_ = OpenMainWindow(FormServices{Bin(), boxes ? *boxes : desktop, desktop, runner, desktop},
                           StartUpServices{kTestHomePage, [draw] { return draw; }, desktop},
                           static_cast<int>(arguments.size()), arguments.data());
    if (!QTest::qWaitForWindowExposed(form_.get())) qFatal("the window was not exposed");
    return *form_;
}

void HoverOver(QWidget* widget, QPoint local) {
    // Qt drops a move to the place the pointer already is; a second hover over the same
    // spot goes one pixel aside so that it still arrives.
    static QPoint last;
    QPoint global = widget->mapToGlobal(local.isNull() ? widget->rect().center() : local);
    if (global == last) global += QPoint(1, 1);
    last = global;
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), window->mapFromGlobal(global));
}

Qt::CursorShape SeenPointer(const QWidget* widget) {
    const QCursor* over = QGuiApplication::overrideCursor();
    return over != nullptr ? over->shape() : widget->cursor().shape();
}

bool ChooserEntriesFit(const QComboBox& chooser) {
    QStyleOptionComboBox option;
    option.initFrom(&chooser);
    const int field =
        chooser.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &chooser)
            .width();
    for (int i = 0; i < chooser.count(); ++i) {
        if (chooser.fontMetrics().horizontalAdvance(' ' + chooser.itemText(i)) > field - 2)
            return false;
    }
    return true;
}

}  // namespace parvane::test
