// Qt's own file dialog driven by keys and clicks.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "filelist/FileDialogs.h"
#include "tests/support/TestSupport.h"

namespace parvane {
class AddCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Qt's own dialog, which stands in where the desktop offers none: a folder typed and
    // entered, then Open on the empty name field, must not keep a name typed next from
    // being taken.
    void ownDialogTakesANameAfterAFolderWasEntered() {
        const testing::TempFolder tree;
        testing::WriteFile(tree / "sub/a.mp3");
        QTimer::singleShot(0, [&tree] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            const auto closed = qScopeGuard([=] {
                if (dialog->isVisible()) dialog->reject();
            });
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            const QString folder = QString::fromStdString(tree / "sub");
            QTest::keyClicks(name, folder);
            QTest::keyClick(name, Qt::Key_Return);
            QTRY_COMPARE(dialog->directory().absolutePath(), folder);
            QTest::mouseClick(open, Qt::LeftButton);
            QTest::keyClicks(name, QStringLiteral("a.mp3"));
            QTest::mouseClick(open, Qt::LeftButton);
        });
        QCOMPARE(QtFileDialogs().OpenFiles(nullptr, {}, {}),
                 QStringList{QString::fromStdString(tree / "sub/a.mp3")});
    }
};

}  // namespace parvane

QTEST_MAIN(parvane::AddCommandsTest)
#include "AddCommandsTest.moc"
