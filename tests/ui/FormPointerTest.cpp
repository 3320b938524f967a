// The window's pointer: the hand over the buttons, the arrow over the bare surface and
// the list, and the hourglass over everything while work runs, which no hover changes.
#include <QGuiApplication>
#include <QTest>

#include "FileListView.h"
#include "WindowTestSupport.h"
#include "PictureButton.h"

using namespace parvane;
using namespace parvane::test;

class FormPointerTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(QGuiApplication::overrideCursor(), nullptr); }

    void followsTheHoverRules_data() {
        QTest::addColumn<bool>("busy");
        QTest::newRow("idle") << false;
        QTest::newRow("hourglass") << true;
    }
    void followsTheHoverRules() {
        QFETCH(bool, busy);
        FormHarness harness;
        harness.Put(QStringLiteral("bin/HAND-M.CUR"), Resource(QStringLiteral("HAND-M.CUR")));
        MainWindow& form = harness.Start();
        QVERIFY(form.MouseIcon().has_value());
        form.SetMousePointer(busy ? 11 : 0);

        // A button, then elsewhere, by turns; the gap between two buttons is bare surface.
        const std::pair<QWidget*, QPoint> path[] = {
            {form.AddFilesButton(), {}}, {&form, kBareSurface}, {form.AddFolderButton(), {}},
            {&form, {172, 170}}, {form.SplitButton(), {}}, {form.ListView()->viewport(), {40, 40}}};
        for (int step = 0; step < 6; ++step) {
            const bool overButton = step % 2 == 0;
            HoverOver(path[step].first, path[step].second);
            QCOMPARE(form.MousePointer(), busy ? 11 : overButton ? 99 : 0);
            QCOMPARE(SeenPointer(path[step].first),
                     busy ? Qt::WaitCursor : overButton ? Qt::BitmapCursor : Qt::ArrowCursor);
        }
        if (!busy) return;
        // A message box must be answerable: it shows the arrow while it is up.
        Qt::CursorShape duringMessage = Qt::WaitCursor;
        harness.desktop.whileShown = [&] { duringMessage = SeenPointer(&form); };
        form.ShowMessage(QStringLiteral("Done."));
        QCOMPARE(duringMessage, Qt::ArrowCursor);
        QCOMPARE(SeenPointer(&form), Qt::WaitCursor);

        form.SetMousePointer(11);  // setting it again stacks nothing
        form.SetMousePointer(0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        HoverOver(form.AddFolderButton());
        QCOMPARE(form.MousePointer(), 99);
    }
};

QTEST_MAIN(FormPointerTest)
#include "FormPointerTest.moc"
