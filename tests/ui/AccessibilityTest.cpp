// What a screen reader is told of the window, through Qt's accessibility interfaces: the
// controls in reading order, roles, names, actions and states before, during and after a
// job, one object focused at a time, and the bar's value and words.
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QTest>

#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/JobProgressBar.h"
#include "ui/PictureButton.h"

using namespace parvane;
using namespace parvane::test;

namespace {

QAccessibleInterface* Told(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

bool Available(QObject* object) {
    const QAccessible::State state = Told(object)->state();
    return !state.disabled;
}

// How many of an interface's descendants say they have the focus.
int FocusedCount(QAccessibleInterface* parent) {
    int focused = 0;
    for (int i = 0; i < parent->childCount(); ++i) {
        focused += (parent->child(i)->state().focused ? 1 : 0) + FocusedCount(parent->child(i));
    }
    return focused;
}

// The names of an interface's children, and of theirs.
QStringList ChildNames(QAccessibleInterface* parent) {
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i) {
        names << parent->child(i)->text(QAccessible::Name) << ChildNames(parent->child(i));
    }
    return names;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamedAndButtonsArePressedAndUnavailableDuringAJob() {
        FormHarness harness;
        harness.splitter.Configure({}, false,
                                   {{1, "until [ -e \"$dir/../../go\" ]; do sleep 0.01; done"}});
        MainWindow& form = harness.Start();
        QCOMPARE(Told(&form)->role(), QAccessible::Window);
        QCOMPARE(Told(&form)->text(QAccessible::Name), QStringLiteral("Parvane"));
        // As the eye and Tab go.
        QList<QObject*> reading;
        for (int i = 0; i < Told(&form)->childCount(); ++i)
            reading << Told(&form)->child(i)->object();
        QCOMPARE(reading,
                 (QList<QObject*>{form.ListView(), form.AddFilesButton(), form.AddFolderButton(),
                                  form.SplitButton(), form.IntervalChooser(), form.ProgressBar()}));

        PictureButton* const buttons[] = {form.AddFilesButton(), form.AddFolderButton(),
                                          form.SplitButton()};
        const QStringList captions = {"Add MP3 File(s)", "Add All MP3 File(s) In Folder", "Split!"};
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* button = Told(buttons[i]);
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), captions.at(i));
            QVERIFY(button->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
            QVERIFY(Available(buttons[i]));
        }
        // Pressed by the screen reader as by the mouse: the empty list says so.
        Told(form.SplitButton())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(harness.desktop.shown, QStringList{"No files added."});

        QComboBox* chooser = form.IntervalChooser();
        QCOMPARE(Told(chooser)->text(QAccessible::Value), QStringLiteral("Split Every 5:00"));
        QVERIFY(ChildNames(Told(chooser)).contains(QStringLiteral("Split Every 0:05")));

        // A name may hold what looks like a placeholder.
        const QString song = harness.Root() + "/music/song %1%2.mp3";
        testing::PutMp3(song.toStdString(), 12);
        form.ListView()->AddDroppedFiles({song});
        QCOMPARE(Told(form.ListView())->text(QAccessible::Name), QStringLiteral("MP3 File(s)"));
        QTRY_VERIFY(ChildNames(Told(form.ListView())).contains(song));

        // Read, not changed: no actions to raise or lower it.
        JobProgressBar* bar = form.ProgressBar();
        QCOMPARE(Told(bar)->role(), QAccessible::ProgressBar);
        QCOMPARE(Told(bar)->text(QAccessible::Name), QStringLiteral("Progress"));
        QCOMPARE(Told(bar)->valueInterface(), nullptr);
        QVERIFY(!Told(bar)->actionInterface() ||
                Told(bar)->actionInterface()->actionNames().isEmpty());

        // The entry clicked last stays current; during the job only "Stop" has the focus.
        chooser->setCurrentIndex(0);
        QTest::mouseClick(form.ListView()->viewport(), Qt::LeftButton, {},
                          form.ListView()->visualRect(form.FileList().index(0, 0)).center());
        QTest::mouseClick(form.SplitButton(), Qt::LeftButton);
        QTRY_VERIFY(bar->text().endsWith("piece 1 of 3"));
        QVERIFY(!Available(form.AddFilesButton()) && !Available(form.AddFolderButton()));
        QVERIFY(Available(form.SplitButton()));
        QCOMPARE(Told(form.SplitButton())->text(QAccessible::Name), QStringLiteral("Stop"));
        QCOMPARE(FocusedCount(Told(&form)), 1);
        QCOMPARE(Told(bar)->text(QAccessible::Value), QStringLiteral("0 %"));
        QCOMPARE(Told(bar)->text(QAccessible::Description),
                 QStringLiteral("File 1 of 1: song %1%2.mp3, piece 1 of 3"));
        // Pressing an unavailable button does nothing, the window's own hover rule aside.
        Told(form.AddFilesButton())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(harness.desktop.shown, QStringList{"No files added."});

        harness.Put("go", {});
        QTRY_VERIFY_WITH_TIMEOUT(!form.IsBusy(), 10000);
        for (PictureButton* button : buttons) QVERIFY(Available(button));
        QCOMPARE(Told(form.SplitButton())->text(QAccessible::Name), QStringLiteral("Split!"));
        QCOMPARE(Told(bar)->text(QAccessible::Description), QString());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
