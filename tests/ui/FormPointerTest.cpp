// The window's pointer: the hand over the buttons, the arrow over the bare surface and
// the list, and the hourglass over everything while work runs, which no hover changes.
#include <QTest>

#include "FileListView.h"
#include "FormTestSupport.h"
#include "PictureButton.h"

using namespace parvane;
using namespace parvane::test;

class FormPointerTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheHandOverEachButtonAndTheArrowElsewhere();
    void bringsTheArrowBackOverTheList();
    void leavesTheHourglassAloneWhereverThePointerGoes();
    void showsTheHourglassOverTheListToo();

private:
    std::unique_ptr<FormHarness> harness_;
    Form1* form_ = nullptr;
};

void FormPointerTest::init() {
    harness_ = std::make_unique<FormHarness>();
    harness_->PutResource(QStringLiteral("HAND-M.CUR"));
    form_ = &harness_->StartShown();
    QVERIFY(form_->MouseIcon().has_value());
}

void FormPointerTest::cleanup() {
    harness_.reset();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void FormPointerTest::showsTheHandOverEachButtonAndTheArrowElsewhere() {
    for (PictureButton* button : {form_->Check1(), form_->Check4(), form_->Check2()}) {
        HoverOver(button);
        QCOMPARE(form_->MousePointer(), 99);
        QCOMPARE(button->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(button->cursor().hotSpot(), form_->MouseIcon()->hotSpot());

        HoverOver(form_, BareSurfacePoint());
        QCOMPARE(form_->MousePointer(), 0);
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }
    // The gap between two buttons is bare surface too.
    HoverOver(form_->Check1());
    HoverOver(form_, QPoint(172, 170));
    QCOMPARE(form_->MousePointer(), 0);
}

void FormPointerTest::bringsTheArrowBackOverTheList() {
    HoverOver(form_->Check2());
    QCOMPARE(form_->MousePointer(), 99);
    HoverOver(form_->ListView1()->viewport(), QPoint(40, 40));
    QCOMPARE(form_->MousePointer(), 0);
}

void FormPointerTest::leavesTheHourglassAloneWhereverThePointerGoes() {
    HoverOver(form_->Check1());
    form_->SetMousePointer(11);
    QCOMPARE(form_->cursor().shape(), Qt::WaitCursor);

    HoverOver(form_->Check2());
    QCOMPARE(form_->MousePointer(), 11);
    HoverOver(form_, BareSurfacePoint());
    QCOMPARE(form_->MousePointer(), 11);
    HoverOver(form_->ListView1()->viewport(), QPoint(40, 40));
    QCOMPARE(form_->MousePointer(), 11);
    HoverOver(form_->Check4());
    QCOMPARE(form_->MousePointer(), 11);
    QCOMPARE(form_->cursor().shape(), Qt::WaitCursor);

    form_->SetMousePointer(0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    HoverOver(form_->Check4());
    QCOMPARE(form_->MousePointer(), 99);
}

void FormPointerTest::showsTheHourglassOverTheListToo() {
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    form_->SetMousePointer(11);
    QVERIFY(QGuiApplication::overrideCursor() != nullptr);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // A message box must be answerable: it shows the arrow while it is up.
    Qt::CursorShape duringMessage = Qt::WaitCursor;
    harness_->messages.whileShown = [&duringMessage](const QString&) {
        duringMessage = QGuiApplication::overrideCursor()->shape();
    };
    form_->ShowMessage(QStringLiteral("Done."));
    QCOMPARE(duringMessage, Qt::ArrowCursor);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    form_->SetMousePointer(11);  // setting it again stacks nothing
    form_->SetMousePointer(0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(FormPointerTest)
#include "FormPointerTest.moc"
