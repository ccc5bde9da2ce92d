// The schema tree against the test cluster: its fixed shape, every catalog listing and
// the object nodes it leaves, a table's or view's columns and rows, Refresh and the
// context menu.

#include "browser/CatalogQueryTable.h"
#include "res/resource.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/TestFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeWidget>

#include <set>

class BrowserTest : public ProgramTest {
    Q_OBJECT

    QTreeWidget& Tree() { return View().Tree(); }

    static QString AdminUser() { return QString::fromStdString(testfixture::AdminUser()); }
    // The fixture's superuser has its password; every other account's is its name.
    static QString PasswordOf(const QString& strUser)
    {
        return strUser == AdminUser() ? QString::fromStdString(testfixture::AdminPassword()) : strUser;
    }

    QTreeWidgetItem* Category(const QString& strText)
    {
        QTreeWidgetItem* pRoot = Tree().topLevelItem(0);
        for (int i = 0; i < pRoot->childCount(); ++i)
            if (pRoot->child(i)->text(0) == strText)
                return pRoot->child(i);
        return nullptr;
    }

    QTreeWidgetItem* Scope(const QString& strCategory, const QString& strScope)
    {
        QTreeWidgetItem* pCategory = Category(strCategory);
        return pCategory->child(strScope == "User" ? 0 : 1);
    }

    static QTreeWidgetItem* Child(QTreeWidgetItem* pNode, const QString& strLabel)
    {
        for (int i = 0; i < pNode->childCount(); ++i)
            if (pNode->child(i)->text(0) == strLabel)
                return pNode->child(i);
        return nullptr;
    }

    static QStringList Labels(QTreeWidgetItem* pNode)
    {
        QStringList arrLabels;
        for (int i = 0; i < pNode->childCount(); ++i)
            arrLabels << pNode->child(i)->text(0);
        return arrLabels;
    }

    // Selects a node as a click would; the listing runs at once.
    void Select(QTreeWidgetItem* pNode) { Tree().setCurrentItem(pNode); }

    // Lists a scope node and selects one of its objects.
    QTreeWidgetItem* SelectObject(const QString& strCategory, const QString& strScope, const QString& strLabel)
    {
        QTreeWidgetItem* pScope = Scope(strCategory, strScope);
        Select(pScope);
        QTreeWidgetItem* pObject = Child(pScope, strLabel);
        [&] { QVERIFY2(pObject, qPrintable(strLabel + " not in " + Labels(pScope).join(','))); }();
        if (pObject)
            Select(pObject);
        return pObject;
    }

    // The context menu's items as they are when it opens, by command id.
    std::map<int, bool> ContextMenuStates(QWidget& control)
    {
        std::map<int, bool> states;
        QTimer::singleShot(0, [&] {
            auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!pMenu)
                return;
            for (QAction* pAction : pMenu->actions())
                if (!pAction->isSeparator())
                    states[pAction->data().toInt()] = pAction->isEnabled();
            pMenu->close();
        });
        emit control.customContextMenuRequested(QPoint(5, 5));
        return states;
    }

private slots:
    // The tree's categories are the query table's, in its order: a node without its row
    // would list nothing.
    void treeHasItsFixedShape()
    {
        Start();
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
        QCOMPARE(MessageLine(), QString("Connect to database!"));
    }

    void everyScopeNodeListsItsObjects()
    {
        Start(AdminUser(), PasswordOf(AdminUser()));
        for (const browser::CatalogCategory& row : browser::CatalogQueryTable()) {
            const QString strCategory = QString::fromLatin1(row.pszCategory);
            const QString strScope = QString::fromLatin1(row.pszScope);
            QTreeWidgetItem* pNode = strScope.isEmpty() ? Category(strCategory) : Scope(strCategory, strScope);
            const QString strWhere = strCategory + "/" + strScope;
            // Twice: the second run replaces the nodes of the first.
            for (int nRun = 0; nRun < 2; ++nRun) {
                Select(Tree().topLevelItem(0));
                Select(pNode);
                QVERIFY2(MessageLine().startsWith("Rows "), qPrintable(strWhere + ": " + MessageLine()));
                QCOMPARE(MessageLine(), QString("Rows %1").arg(Model().rowCount()));
                QCOMPARE(pNode->childCount(), Model().rowCount());
                QVERIFY(pNode->isExpanded());
                for (int i = 0; i < Model().rowCount(); ++i) {
                    const QString strExpected = row.bOwnerColumn && !Cell(i, 1).isEmpty()
                                                    ? Cell(i, 1) + "." + Cell(i, 0)
                                                    : Cell(i, 0);
                    QCOMPARE(pNode->child(i)->text(0), strExpected);
                    QVERIFY(!pNode->child(i)->icon(0).isNull());
                }
            }
        }
        // The superuser sees the sample objects under "All", owner first.
        QVERIFY(Labels(Scope("Tables", "All")).contains("APP.Mixed Case"));
        QVERIFY(Labels(Scope("Views", "All")).contains("HR.EMP_DETAILS"));
        QVERIFY(Labels(Category("Users")).contains("HR"));
    }

    // Reached by the arrow keys, as a user passes it.
    void dbaNodeFailsForAnOrdinaryAccount()
    {
        Start("hr", "hr");
        QTreeWidgetItem* pNode = Scope("Tables", "All");
        Category("Tables")->setExpanded(true);
        Select(Category("Views"));
        const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
        QTest::keyClick(&Tree(), Qt::Key_Up);
        QCOMPARE(Tree().currentItem(), pNode);
        QVERIFY2(MessageLine().startsWith("ORA-00942") && !MessageLine().contains('\n'), qPrintable(MessageLine()));
        QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps + 1);
        QCOMPARE(pNode->childCount(), 0);
        QVERIFY(pNode->isExpanded());
        QCOMPARE(Model().columnCount(), 0);
        QTest::keyClick(&Tree(), Qt::Key_Up);
        QCOMPARE(Tree().currentItem(), Scope("Tables", "User"));
        QVERIFY(MessageLine().startsWith("Rows "));
        QVERIFY(Scope("Tables", "User")->childCount() > 0);
    }

    void objectNodesListColumnsAndRows_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("table, All") << AdminUser() << "Tables" << "All" << "HR.EMPLOYEES" << "EMPLOYEES" << 11 << 4;
        QTest::newRow("table, User") << "app" << "Tables" << "User" << "ORDERS" << "ORDERS" << 5 << 3;
        QTest::newRow("view, All") << AdminUser() << "Views" << "All" << "APP.ORDER_TOTALS" << "ORDER_TOTALS" << -1 << -1;
        QTest::newRow("view, User") << "hr" << "Views" << "User" << "EMP_DETAILS" << "EMP_DETAILS" << -1 << -1;
        QTest::newRow("quote, All") << AdminUser() << "Tables" << "All" << "APP.O'Brien" << "O'Brien" << 2 << 1;
    }

    void objectNodesListColumnsAndRows()
    {
        QFETCH(QString, user);
        QFETCH(QString, category);
        QFETCH(QString, scope);
        QFETCH(QString, label);
        QFETCH(QString, tableName);
        QFETCH(int, columns);
        QFETCH(int, rows);
        Start(user, PasswordOf(user));
        QTreeWidgetItem* pObject = SelectObject(category, scope, label);
        QVERIFY(pObject);
        QVERIFY2(MessageLine().startsWith("Rows "), qPrintable(MessageLine()));
        const int nColumns = Model().rowCount();
        QVERIFY(nColumns > 0);
        if (columns >= 0)
            QCOMPARE(nColumns, columns);
        const int nTableName = ColumnOf("TABLE_NAME");
        QVERIFY(nTableName >= 0);
        for (int i = 0; i < nColumns; ++i)
            QCOMPARE(Cell(i, nTableName), tableName);

        Frame().OnCommand(ID_DATABASE_VIEWDATA);
        QVERIFY2(MessageLine().startsWith("Rows "), qPrintable(MessageLine()));
        QCOMPARE(Model().columnCount(), nColumns);
        if (rows >= 0)
            QCOMPARE(Model().rowCount(), rows);

        // Refresh runs the router: the columns again, not the rows.
        Frame().OnCommand(ID_DATABASE_REFRESH);
        QCOMPARE(Model().rowCount(), nColumns);
        QVERIFY(ColumnOf("TABLE_NAME") >= 0);
    }

    // "Ev"."il.T" and "Ev.il".T are both labelled Ev.il.T; each node still lists its own table.
    void tablesOfOneLabelListTheirOwnColumnsAndRows()
    {
        Start(AdminUser(), PasswordOf(AdminUser()));
        QTreeWidgetItem* pScope = Scope("Tables", "All");
        Select(pScope);
        QList<QTreeWidgetItem*> arrObjects;
        for (int i = 0; i < pScope->childCount(); ++i)
            if (pScope->child(i)->text(0) == "Ev.il.T")
                arrObjects << pScope->child(i);
        QCOMPARE(arrObjects.size(), 2);

        struct Expected {
            QString strOwner, strTable;
            QStringList arrColumns;
            int nRows;
            QString strText;
        };
        // Listed by owner, then name.
        const Expected expected[] = {
            {"Ev", "il.T", {"EV_ID", "EV_TEXT"}, 1, "owner Ev"},
            {"Ev.il", "T", {"EVIL_ID", "EVIL_TEXT", "EVIL_FLAG"}, 2, "owner Ev.il"},
        };
        for (int n = 0; n < 2; ++n) {
            const Expected& table = expected[n];
            Select(arrObjects[n]);
            QVERIFY2(MessageLine().startsWith("Rows "), qPrintable(MessageLine()));
            QStringList arrColumns;
            for (int i = 0; i < Model().rowCount(); ++i) {
                QCOMPARE(Cell(i, ColumnOf("OWNER")), table.strOwner);
                QCOMPARE(Cell(i, ColumnOf("TABLE_NAME")), table.strTable);
                arrColumns << Cell(i, ColumnOf("COLUMN_NAME"));
            }
            QStringList arrExpected = table.arrColumns;
            arrExpected.sort();
            arrColumns.sort();
            QCOMPARE(arrColumns, arrExpected);

            Frame().OnCommand(ID_DATABASE_VIEWDATA);
            QVERIFY2(MessageLine().startsWith("Rows "), qPrintable(MessageLine()));
            QStringList arrHeaders;
            for (int i = 0; i < Model().columnCount(); ++i)
                arrHeaders << Model().headerData(i, Qt::Horizontal).toString();
            QCOMPARE(arrHeaders, table.arrColumns);
            QCOMPARE(Model().rowCount(), table.nRows);
            for (int i = 0; i < table.nRows; ++i)
                QCOMPARE(Cell(i, 1), table.strText);
        }
    }

    void viewDataOnOtherNodesDoesNothing()
    {
        Start(AdminUser(), PasswordOf(AdminUser()));
        QTreeWidgetItem* pIndexes = Scope("Indexes", "All");
        Select(pIndexes);
        QVERIFY(pIndexes->childCount() > 0);
        for (QTreeWidgetItem* pNode : {pIndexes->child(0), pIndexes, Category("Tables"), Tree().topLevelItem(0)}) {
            Select(pNode);
            const int nRows = Model().rowCount();
            const QString strMessage = MessageLine();
            const std::size_t nBeeps = m_pDesktop->arrBeeps.size();
            Frame().OnCommand(ID_DATABASE_VIEWDATA);
            QCOMPARE(Model().rowCount(), nRows);
            QCOMPARE(MessageLine(), strMessage);
            QCOMPARE(m_pDesktop->arrBeeps.size(), nBeeps);
        }
        // Nor does selecting a user, or a category other than Users.
        Select(Category("Users"));
        const int nUsers = Model().rowCount();
        Select(Category("Users")->child(0));
        Select(Category("Views"));
        QCOMPARE(Model().rowCount(), nUsers);
    }

    void contextMenuGraysByConnection()
    {
        Start();
        const std::set<int> needsConnection = {ID_DATABASE_REFRESH, ID_DATABASE_VIEWDATA, ID_FILE_SAVE_AS,
                                               ID_DATABASE_DISCONNECT};
        for (bool bConnected : {false, true}) {
            for (QWidget* pControl : {static_cast<QWidget*>(&Tree()), static_cast<QWidget*>(&View().ResultList())}) {
                const std::map<int, bool> states = ContextMenuStates(*pControl);
                QCOMPARE(states.size(), std::size_t(11));
                for (const auto& [nId, bEnabled] : states)
                    QCOMPARE(bEnabled, nId == ID_DATABASE_CONNECT ? !bConnected
                                                                 : bConnected || !needsConnection.count(nId));
            }
            if (!bConnected) {
                m_pScript->Add(Logon("LUMIDEX", "hr", "hr"));
                Frame().OnCommand(ID_DATABASE_CONNECT);
                QTRY_VERIFY_WITH_TIMEOUT(m_pScript->Done(), 15000);
            }
        }
    }

    // A name wider than the pane: the tree scrolls sideways, and the name
    // shows whole in a tooltip; one that fits gets none.
    void longNamesScrollAndShowInATooltip()
    {
        Start("hr", "hr");
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

    void rightClickKeepsTheSelection()
    {
        Start();
        Select(Category("Views"));
        const QRect rect = Tree().visualItemRect(Category("Tables"));
        QTest::mousePress(Tree().viewport(), Qt::RightButton, Qt::NoModifier, rect.center());
        QTest::mouseRelease(Tree().viewport(), Qt::RightButton, Qt::NoModifier, rect.center());
        QCOMPARE(Tree().currentItem(), Category("Views"));
    }
};

std::unique_ptr<QObject> MakeBrowserTest() { return std::make_unique<BrowserTest>(); }

#include "BrowserTest.moc"
