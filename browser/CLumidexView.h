#pragma once

// The form of the main window: the category tree, the result list and the message line,
// with the view's commands. The commands' work is done by the operations of document/ and
// export/; the view moves data between them and its widgets.

#include "export/SaveXmlData.h"
#include "gui/CmdUI.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class CLumidexDoc;
class CSortListCtrl;
class CSqlStatementWindow;
class ViewHost;
class QHelpEvent;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
namespace browser {
struct CatalogCategory;
}
namespace Ui {
class IDD_LUMIDEX_FORM;
}

class CLumidexView : public QWidget {
    Q_OBJECT
public:
    explicit CLumidexView(CLumidexDoc& doc, QWidget* pParent = nullptr);
    ~CLumidexView() override;

    // The frame that shows the context menu, the title and the splash; none: no such things.
    void SetHost(ViewHost* pHost) { m_pHost = pHost; }

    // The view's first update: binds the controls, fits the frame to the form and arms
    // the start-up timer.
    void OnInitialUpdate();

    // Command routing: true when the view handles the command (or its update).
    bool OnCmdMsg(int nId);
    bool OnUpdateCmdUI(CCmdUI& cmdUI);

    // Runs one statement into the result list, or reports its rows changed.
    void RunQueryToList(const QString& strStatement);

    // The schema tree: the selection starts the listing its texts call for.
    void OnTreeSelChanged();
    void RouteTreeSelection();
    // Runs one row of the catalog query table and makes its node's children mirror the list.
    void ListCategory(const browser::CatalogCategory& row);
    // A table's or view's columns and rows, by the owner and name its object node was
    // listed with.
    void ShowTableColumns(const QTreeWidgetItem& object);
    void ShowTableData(const QTreeWidgetItem& object);
    void OnViewData();
    void OnRefresh();
    void OnListOrTreeRightClick();
    // Writes the list, as shown, to an XML file the user names, with its stylesheet.
    void OnSaveXmlData();
    // Writes the list, as shown, to a comma-separated values file the user names.
    void OnSaveCsvData();
    // Shows the statement window, made on first use, with the text it had.
    void OnSqlStatement();
    // The statement window, once shown; null before.
    CSqlStatementWindow* SqlWindow() { return m_pSqlWindow; }

    void OnConnect();
    void OnDisconnect();
    void OnTimer(int nIDEvent);
    // The window goes away: log off first.
    void OnDestroy();

    bool IsConnected() const { return m_bConnected != 0; }
    CSortListCtrl& ResultList() { return *m_pList; }
    QLineEdit& MessageLine() { return *m_pMessage; }
    QTreeWidget& Tree() { return *m_pTree; }

    QSize sizeHint() const override { return m_sizeForm; }

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The whole name of the tree item under the mouse when the pane cuts it off.
    void ShowCutNameTip(const QHelpEvent& event);
    class DialogPrompt;

    void DoDataExchange(bool bSaveAndValidate);
    void UpdateData(bool bSaveAndValidate) { DoDataExchange(bSaveAndValidate); }
    void OnSize(int cx, int cy);
    void EmptyResultList();
    // A Save command: the Save dialog with this initial name and filter, the wait cursor
    // once a name is chosen, then what the outcome calls for (title, message line, beep,
    // open). Cancelled: nothing.
    void RunSave(const QString& strInitial, const QString& strFilter,
                 const std::function<xmlexport::SaveOutcome(const xmlexport::FileChooser&)>& save);
    void BuildTree();
    QTreeWidgetItem* NodeOfRow(const browser::CatalogCategory& row) const;

    void OnSetupConfiguration();
    void OnHelp();
    void OnLinksHomepage();
    void OnLinksDownload();
    void OnLinksOracle();
    void OnLinksTechnet();
    void OnLinksMetalink();
    void OnLinksGoogle();
    void OnUpdateConnect(CCmdUI& cmdUI);
    void OnUpdateNeedsConnection(CCmdUI& cmdUI);

    struct CommandEntry {
        int nId;
        void (CLumidexView::*pfnHandler)();
    };
    struct UpdateEntry {
        int nId;
        void (CLumidexView::*pfnHandler)(CCmdUI&);
    };
    static const CommandEntry s_commandMap[];
    static const UpdateEntry s_updateMap[];

    CLumidexDoc& m_doc;
    ViewHost* m_pHost = nullptr;
    CSqlStatementWindow* m_pSqlWindow = nullptr;  // the main window's child once made
    std::unique_ptr<Ui::IDD_LUMIDEX_FORM> m_pForm;
    CSortListCtrl* m_pList = nullptr;
    QString m_strMessage = QStringLiteral("Connect to database!");
    int m_bConnected = 0;
    QLineEdit* m_pMessage = nullptr;
    QTreeWidget* m_pTree = nullptr;
    // The 29 fixed nodes: root, ten categories, nine "User" and nine "All" scope nodes.
    static constexpr int kCategories = 10;
    static constexpr int kScopedCategories = 9;
    QTreeWidgetItem* m_hRoot = nullptr;
    QTreeWidgetItem* m_arrCategoryNodes[kCategories] = {};
    QTreeWidgetItem* m_arrUserNodes[kScopedCategories] = {};
    QTreeWidgetItem* m_arrAllNodes[kScopedCategories] = {};
    QTimer m_timerStartup;
    QSize m_sizeForm;
    bool m_bDestroyed = false;
};
