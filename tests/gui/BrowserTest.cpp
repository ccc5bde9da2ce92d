// The schema tree on the test cluster: its fixed shape, the nodes each listing leaves, a table's
// or view's columns and rows, Refresh, a right click. What each listing holds: tests/dictionary/.

#include "browser/CatalogQueryTable.h"
#include "tests/gui/ProgramTest.h"

#include <QScrollBar>
#include <QToolTip>

class BrowserTest : public ProgramTest {
    Q_OBJECT

    QTreeWidget& Tree() { return View().Tree(); }

    static QTreeWidgetItem* Child(QTreeWidgetItem* pNode, const QString& strLabel, int nNth = 0)
    {
        for (int i = 0; i < pNode->childCount(); ++i)
            if (pNode->child(i)->text(0) == strLabel && nNth-- == 0)
                return pNode->child(i);
        return nullptr;
    }

    QTreeWidgetItem* Category(const QString& strText) { return Child(Tree().topLevelItem(0), strText); }
    QTreeWidgetItem* Scope(const QString& strCategory, bool bAll) { return Category(strCategory)->child(bAll ? 1 : 0); }

    static QStringList Labels(QTreeWidgetItem* pNode)
    {
        QStringList arrLabels;
        for (int i = 0; i < pNode->childCount(); ++i)
            arrLabels << pNode->child(i)->text(0);
        return arrLabels;
    }

    void Select(QTreeWidgetItem* pNode) { Tree().setCurrentItem(pNode); }

    // An object node lists its table's columns, View Data their rows; Refresh lists the columns again.
    void ExpectColumnsThenRows(QTreeWidgetItem* pObject, const QString& strTable, int nRows)
    {
        QVERIFY(pObject);
        Select(pObject);
        const int nColumns = Model().rowCount();
        QStringList arrColumns;
        for (int i = 0; i < nColumns; ++i) {
            QCOMPARE(Cell(i, Headers().indexOf("TABLE_NAME")), strTable);
            arrColumns << Cell(i, Headers().indexOf("COLUMN_NAME"));
        }
        Frame().OnCommand(ID_DATABASE_VIEWDATA);
        QStringList arrHeaders = Headers();
        arrColumns.sort();
        arrHeaders.sort();
        QVERIFY(nColumns > 0 && arrHeaders == arrColumns);
        QCOMPARE(MessageLine(), QString("Rows %1").arg(nRows));
        QCOMPARE(Model().rowCount(), nRows);
        Frame().OnCommand(ID_DATABASE_REFRESH);
        QCOMPARE(Model().rowCount(), nColumns);
    }

private slots:
    // The categories are the query table's, in order; a node per row, owner first under "All"; a rerun
    // replaces them. "Ev"."il.T" and "Ev.il".T are both labelled Ev.il.T but list their own tables.
    void nodesList()
    {
        Start(QString::fromStdString(testfixture::AdminUser()), QString::fromStdString(testfixture::AdminPassword()));
        QCOMPARE(Tree().topLevelItemCount(), 1);
        QTreeWidgetItem* pRoot = Tree().topLevelItem(0);
        QCOMPARE(pRoot->text(0), QString("Database"));
        QVERIFY(pRoot->isExpanded());
        QVERIFY(!Tree().currentItem());
        QStringList arrCategories;
        for (const browser::CatalogCategory& row : browser::CatalogQueryTable())
            if (arrCategories.isEmpty() || arrCategories.last() != row.pszCategory)
                arrCategories << row.pszCategory;
        QCOMPARE(Labels(pRoot), arrCategories);
        for (int i = 0; i < pRoot->childCount(); ++i) {
            QTreeWidgetItem* pCategory = pRoot->child(i);
            QVERIFY(!pCategory->icon(0).isNull());
            QCOMPARE(Labels(pCategory), pCategory->text(0) == "Users" ? QStringList() : QStringList({"User", "All"}));
        }

        for (const browser::CatalogCategory& row : browser::CatalogQueryTable()) {
            QTreeWidgetItem* pNode = Category(row.pszCategory);
            if (*row.pszScope)
                pNode = Scope(row.pszCategory, row.pszScope == QLatin1String("All"));
            for (int nRun = 0; nRun < 2; ++nRun) {
                Select(Tree().topLevelItem(0));
                Select(pNode);
                QCOMPARE(MessageLine(), QString("Rows %1").arg(Model().rowCount()));
                QCOMPARE(pNode->childCount(), Model().rowCount());
                QVERIFY(pNode->isExpanded());
                for (int i = 0; i < Model().rowCount(); ++i) {
                    const bool bOwner = row.bOwnerColumn && !Cell(i, 1).isEmpty();
                    QCOMPARE(pNode->child(i)->text(0), bOwner ? Cell(i, 1) + "." + Cell(i, 0) : Cell(i, 0));
                    QVERIFY(!pNode->child(i)->icon(0).isNull());
                }
            }
        }

        // Category, label, which of that label, table, rows.
        const std::tuple<const char*, const char*, int, const char*, int> objects[] = {
            {"Tables", "HR.EMPLOYEES", 0, "EMPLOYEES", 4}, {"Views", "APP.ORDER_TOTALS", 0, "ORDER_TOTALS", 3},
            {"Tables", "APP.O'Brien", 0, "O'Brien", 1},    {"Tables", "Ev.il.T", 0, "il.T", 1},
            {"Tables", "Ev.il.T", 1, "T", 2},
        };
        for (const auto& [pszCategory, pszLabel, nNth, pszTable, nRows] : objects)
            ExpectColumnsThenRows(Child(Scope(pszCategory, true), pszLabel, nNth), pszTable, nRows);

        // View Data on a node that is no table or view, and selecting a user, change nothing.
        QTreeWidgetItem* pIndexes = Scope("Indexes", true);
        QVERIFY(pIndexes->childCount() > 0);
        for (QTreeWidgetItem* pNode : {pIndexes->child(0), pIndexes, Category("Tables"), Tree().topLevelItem(0)}) {
            Select(pNode);
            const QString strMessage = MessageLine();
            const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
            Frame().OnCommand(ID_DATABASE_VIEWDATA);
            QCOMPARE(MessageLine(), strMessage);  // a run would say its rows or its error
            QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps);
        }
        Select(Category("Users"));
        const int nUsers = Model().rowCount();
        Select(Category("Users")->child(0));
        Select(Category("Views"));
        QCOMPARE(Model().rowCount(), nUsers);

        // A right click keeps the selection.
        const QPoint point = Tree().visualItemRect(Category("Tables")).center();
        QTest::mousePress(Tree().viewport(), Qt::RightButton, Qt::NoModifier, point);
        QTest::mouseRelease(Tree().viewport(), Qt::RightButton, Qt::NoModifier, point);
        QCOMPARE(Tree().currentItem(), Category("Views"));
    }

    // Reached by the arrow keys, as a user passes it; the scope above still lists.
    void dbaNodeFailsForAnOrdinaryAccount()
    {
        Start("hr", "hr");
        QTreeWidgetItem* pNode = Scope("Tables", true);
        Category("Tables")->setExpanded(true);
        Select(Category("Views"));
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        QTest::keyClick(&Tree(), Qt::Key_Up);
        QCOMPARE(Tree().currentItem(), pNode);
        QVERIFY2(MessageLine().startsWith("ORA-00942"), qPrintable(MessageLine()));
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
        QCOMPARE(pNode->childCount(), 0);
        QVERIFY(pNode->isExpanded());
        QCOMPARE(Model().columnCount(), 0);
        QTest::keyClick(&Tree(), Qt::Key_Up);
        QCOMPARE(Tree().currentItem(), Scope("Tables", false));
        ExpectColumnsThenRows(Child(Scope("Tables", false), "EMPLOYEES"), "EMPLOYEES", 4);

        // A name wider than the pane: the tree scrolls sideways, the name shows whole in a tooltip.
        const QString strLong = QString("EMPLOYEES_DEPARTMENT_ID_").repeated(4);
        auto* pLong = new QTreeWidgetItem(Tree().topLevelItem(0), QStringList(strLong));
        Tree().scrollToItem(pLong);
        QApplication::processEvents();
        QVERIFY(Tree().horizontalScrollBar()->maximum() > 0);
        const auto tipAt = [&](QTreeWidgetItem* pItem) {
            const QPoint point = Tree().visualItemRect(pItem).center();
            QHelpEvent event(QEvent::ToolTip, QPoint(10, point.y()), Tree().viewport()->mapToGlobal(point));
            QApplication::sendEvent(Tree().viewport(), &event);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipAt(Category("Tables")), QString());
        QCOMPARE(tipAt(pLong), strLong);
    }
};

GUI_TEST_MAIN(BrowserTest, true)

#include "BrowserTest.moc"
