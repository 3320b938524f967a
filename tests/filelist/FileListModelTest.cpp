#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

#include "FileListModel.h"

namespace parvane {

class FileListModelTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        model_ = std::make_unique<FileListModel>();
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model_.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() {
        tester_.reset();
        model_.reset();
    }

    void appendsInOrderDuplicatesAndAnythingIncluded() {
        model_->Append("/music/b.mp3");
        model_->AppendMany({"/music/a.mp3", "/music/b.mp3", "/no/such/thing", "/music"});
        model_->AppendMany({});
        QCOMPARE(model_->Count(), 5);
        QCOMPARE(model_->rowCount(), 5);
        const QStringList expected{"/music/b.mp3", "/music/a.mp3", "/music/b.mp3",
                                   "/no/such/thing", "/music"};
        for (int position = 1; position <= 5; ++position) {
            QCOMPARE(model_->EntryText(position), expected.at(position - 1));
            QCOMPARE(model_->index(position - 1, 0).data().toString(), expected.at(position - 1));
        }
        QCOMPARE(model_->EntryText(0), QString());
        QCOMPARE(model_->EntryText(6), QString());
    }

    void oneColumnTitledAndNotEditable() {
        model_->Append("/a.mp3");
        QCOMPARE(model_->columnCount(), 1);
        QCOMPARE(model_->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("MP3 File(s)"));
        QVERIFY(!(model_->flags(model_->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!model_->setData(model_->index(0, 0), "/b.mp3"));
    }

    void removalMovesTheEntriesBelowUp() {
        model_->AppendMany({"A", "B", "C"});
        QVERIFY(model_->RemoveAt(2));
        QCOMPARE(model_->Count(), 2);
        QCOMPARE(model_->EntryText(2), QStringLiteral("C"));
        QVERIFY(!model_->RemoveAt(0));
        QVERIFY(!model_->RemoveAt(3));
        QCOMPARE(model_->Count(), 2);
    }

    void exchangeSwapsTextsAndKeepsEntriesInPlace() {
        model_->AppendMany({"A", "B", "C"});
        const QPersistentModelIndex first = model_->index(0, 0);
        QSignalSpy changed(model_.get(), &QAbstractItemModel::dataChanged);
        model_->Exchange(1, 3);
        QCOMPARE(model_->EntryText(1), QStringLiteral("C"));
        QCOMPARE(model_->EntryText(3), QStringLiteral("A"));
        QCOMPARE(first.row(), 0);
        QCOMPARE(changed.count(), 2);
        model_->Exchange(2, 2);
        model_->Exchange(0, 2);
        model_->Exchange(2, 4);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(model_->EntryText(2), QStringLiteral("B"));
    }

private:
    std::unique_ptr<FileListModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

}  // namespace parvane

QTEST_GUILESS_MAIN(parvane::FileListModelTest)
#include "FileListModelTest.moc"
