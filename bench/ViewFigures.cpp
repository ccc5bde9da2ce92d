// The figures that go through the view itself, offscreen: the result list
// filled by RunQueryToList (the 1000-row question answered Yes), a header
// click that sorts it, Save XML data of it, and the schema tree's listing of
// all tables.

#include "bench/Figures.h"

#include "bench/BenchSupport.h"
#include "browser/CLumidexView.h"
#include "browser/CatalogQueryTable.h"
#include "controls/CSortListCtrl.h"
#include "document/LumidexDoc.h"
#include "gui/Desktop.h"

#include <QApplication>
#include <QLineEdit>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace bench {

namespace {

// The text column a header click sorts: NAME, mixed case, some keys alike in
// their first eight bytes.
constexpr int kSortColumn = 3;

// Answers Yes to the question, names the file to save, opens nothing.
class BenchDesktop final : public desktop::Handler {
public:
    explicit BenchDesktop(QString strSavePath) : m_strSavePath(std::move(strSavePath))
    {
        desktop::SetHandler(this);
    }
    ~BenchDesktop() override { desktop::SetHandler(nullptr); }
    QMessageBox::StandardButton Message(QWidget*, const QString&,
                                        QMessageBox::StandardButtons) override
    {
        return QMessageBox::Yes;
    }
    QString SaveFileName(QWidget*, const QString&, const QString&) override { return m_strSavePath; }
    void Beep(unsigned) override {}
    bool Open(const QUrl&) override { return true; }

private:
    QString m_strSavePath;
};

// The program's document and view, logged on, as the figures need them.
class BenchView {
public:
    explicit BenchView(const FigureArgs& args)
        : m_app(m_nArgc, m_apArgv),
          m_desktop(QString::fromStdString(args.strPath + "/bench"))
    {
    }

    bool Logon()
    {
        if (m_doc.Connect("LUMIDEX", User(), Password(), 0) != SR_SUCCESS) {
            std::fprintf(stderr, "bench: logon failed: %s\n", m_doc.GetMessageText().c_str());
            return false;
        }
        m_pView = std::make_unique<CLumidexView>(m_doc);
        return true;
    }

    CLumidexView& View() { return *m_pView; }
    const controls::ResultListContent& Content() { return m_pView->ResultList().Model().Content(); }

    // Empties the list, so that the run after it starts from nothing.
    void Empty() { m_pView->RunQueryToList(QStringLiteral("SELECT 1 FROM dual WHERE 1 = 0")); }

    void ReportMessage()
    {
        std::fprintf(stderr, "bench: %s\n", m_pView->MessageLine().text().toLocal8Bit().constData());
    }

private:
    int m_nArgc = 1;
    char m_szName[14] = "lumidex_bench";
    char* m_apArgv[2] = {m_szName, nullptr};
    QApplication m_app;
    BenchDesktop m_desktop;
    CLumidexDoc m_doc;
    std::unique_ptr<CLumidexView> m_pView;
};

// The best time of repeated runs of measured, each after an unmeasured prepare.
double Best(int nRepeats, const std::function<void()>& prepare, const std::function<void()>& measured)
{
    double dBest = 0;
    for (int nRun = 0; nRun < nRepeats; ++nRun) {
        prepare();
        Stopwatch clock;
        measured();
        const double dSeconds = clock.Seconds();
        dBest = nRun == 0 ? dSeconds : std::min(dBest, dSeconds);
    }
    return dBest;
}

std::size_t TextBytes(const controls::ResultListContent& content)
{
    std::size_t nBytes = 0;
    for (int nRow = 0; nRow < content.RowCount(); ++nRow)
        for (int nColumn = 0; nColumn < content.ColumnCount(); ++nColumn)
            nBytes += content.CellText(nRow, nColumn).size();
    return nBytes;
}

long FileSize(const std::string& strPath)
{
    struct stat info {};
    return stat(strPath.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

}  // namespace

int ListFigure(const FigureArgs& args)
{
    BenchView bench(args);
    if (!bench.Logon())
        return 1;
    CLumidexView& view = bench.View();
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();
    const QString strQuery = QString::fromStdString(SelectAll(args.strTable));
    // The first fill is what a user waits for: it also takes its memory from
    // the system and warms the server's and the client's caches. Later fills
    // reuse memory the first one gave back.
    double dFirst = 0;
    long nGrowthKb = 0;
    const double dWarm = Best(
        args.nRepeats,
        [&] {
            bench.Empty();
            QApplication::processEvents();
        },
        [&] {
            const long nBaseKb = ResidentKb();
            Stopwatch clock;
            view.RunQueryToList(strQuery);
            QApplication::processEvents();  // the list paints its first page
            if (dFirst == 0)
                dFirst = clock.Seconds();
            nGrowthKb = std::max(nGrowthKb, PeakResidentKb() - nBaseKb);
        });
    bench.ReportMessage();
    Report("rows", bench.Content().RowCount());
    Report("text_bytes", static_cast<double>(TextBytes(bench.Content())));
    Report("peak_growth_bytes", static_cast<double>(nGrowthKb) * 1024.0);
    Report("first_seconds", dFirst);
    Report("seconds", dWarm);
    return 0;
}

int SortFigure(const FigureArgs& args)
{
    BenchView bench(args);
    if (!bench.Logon())
        return 1;
    CLumidexView& view = bench.View();
    const QString strQuery = QString::fromStdString(SelectAll(args.strTable));
    const double dSeconds = Best(
        args.nRepeats,
        [&] {
            bench.Empty();
            view.RunQueryToList(strQuery);
        },
        [&] { view.ResultList().OnHeaderItemClick(kSortColumn, 0); });
    Report("seconds", dSeconds);
    return 0;
}

int ExportFigure(const FigureArgs& args)
{
    BenchView bench(args);
    if (!bench.Logon())
        return 1;
    CLumidexView& view = bench.View();
    view.RunQueryToList(QString::fromStdString(SelectAll(args.strTable)));
    const double dSeconds = Best(args.nRepeats, [] {}, [&] { view.OnSaveXmlData(); });
    bench.ReportMessage();
    const long nBytes = FileSize(args.strPath + "/bench.xml") + FileSize(args.strPath + "/bench.xsl");
    Report("bytes", static_cast<double>(nBytes));
    Report("seconds", dSeconds);
    Report("mib_per_second", nBytes / dSeconds / (1024.0 * 1024.0));
    return 0;
}

int CsvExportFigure(const FigureArgs& args)
{
    BenchView bench(args);
    if (!bench.Logon())
        return 1;
    CLumidexView& view = bench.View();
    view.RunQueryToList(QString::fromStdString(SelectAll(args.strTable)));
    const double dSeconds = Best(args.nRepeats, [] {}, [&] { view.OnSaveCsvData(); });
    bench.ReportMessage();
    const long nBytes = FileSize(args.strPath + "/bench.csv");
    Report("bytes", static_cast<double>(nBytes));
    Report("seconds", dSeconds);
    Report("mib_per_second", nBytes / dSeconds / (1024.0 * 1024.0));
    return 0;
}

int TreeFigure(const FigureArgs& args)
{
    BenchView bench(args);
    if (!bench.Logon())
        return 1;
    CLumidexView& view = bench.View();
    // Builds the tree; the start-up timer it arms never fires, as no event
    // is processed from here on.
    view.OnInitialUpdate();
    const browser::CatalogCategory* pRow = browser::FindCatalogCategory("Tables", browser::kScopeAll);
    if (!pRow)
        return 1;
    const QString strStatement = QString::fromLatin1(pRow->pszStatement);
    // The listing and the bare list fill of the same statement take turns, so
    // both see the same server.
    const double dList = Best(args.nRepeats, [&] { bench.Empty(); },
                              [&] { view.RunQueryToList(strStatement); });
    const double dTree = Best(args.nRepeats, [&] { bench.Empty(); }, [&] { view.ListCategory(*pRow); });
    bench.ReportMessage();
    Report("rows", bench.Content().RowCount());
    Report("list_seconds", dList);
    Report("seconds", dTree);
    return 0;
}

}  // namespace bench
