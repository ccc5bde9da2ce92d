// The result list's table model over the row store, watched by Qt's model tester through
// every change the view makes to it.

#include "controls/CSortListCtrl.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QTest>

class ResultModelTest : public QObject {
    Q_OBJECT

private slots:
    void changesKeepTheModelConsistent()
    {
        CSortListCtrl list;
        CResultListModel& model = list.Model();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        model.SetColumns({"ID", "NAME"});
        QCOMPARE(model.columnCount(), 2);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("NAME"));
        QCOMPARE(list.horizontalHeader()->sectionSize(1), 100);
        QCOMPARE(model.AppendRow({"1", "first"}), 0);
        QCOMPARE(model.AppendRow({"2", ""}), 1);
        QCOMPARE(model.rowCount(), 0);  // the view hears of rows only when they are published
        model.Publish();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.index(0, 1).data().toString(), QString("first"));
        QCOMPARE(model.index(1, 1).data().toString(), QString(""));

        model.DeleteAllItems();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 2);
        model.DeleteAllColumns();
        QCOMPARE(model.columnCount(), 0);
        QVERIFY(!model.index(0, 0).isValid());
    }

    void textsInTheLocaleCharacterSet()
    {
        CResultListModel model;
        model.SetColumns({"NAME"});
        model.AppendRow({"K\xc3\xa4se"});
        model.Publish();
        QCOMPARE(model.index(0, 0).data().toString(), QString::fromUtf8("K\xc3\xa4se"));
        QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
    }
};

std::unique_ptr<QObject> MakeResultModelTest() { return std::make_unique<ResultModelTest>(); }

#include "ResultModelTest.moc"
