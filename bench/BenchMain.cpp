// lumidex_bench FIGURE [TABLE] [PATH] [REPEATS]: runs one figure of the
// benchmark in this process and prints its "name value" lines. bench/run.sh
// runs every figure, each in a process of its own.

#include "bench/Figures.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>

namespace {

struct FigureEntry {
    const char* pszName;
    int (*pfnRun)(const bench::FigureArgs&);
};

const FigureEntry kFigures[] = {
    {"fetch", bench::FetchFigure},       {"libpq", bench::LibpqFigure},
    {"libpqrow", bench::LibpqRowFigure}, {"ocifetch", bench::OciFetchFigure},
    {"logon", bench::LogonFigure},       {"sort", bench::SortFigure},
    {"baresort", bench::BareSortFigure}, {"export", bench::ExportFigure},
    {"csvexport", bench::CsvExportFigure},
    {"plainwrite", bench::PlainWriteFigure}, {"list", bench::ListFigure},
    {"tree", bench::TreeFigure},
    {"netlist", bench::NetListFigure},
    {"netunset", [](const bench::FigureArgs& args) { return bench::NetMirrorFigure(args, 0); }},
    {"net50", [](const bench::FigureArgs& args) { return bench::NetMirrorFigure(args, 50); }},
    {"net200", [](const bench::FigureArgs& args) { return bench::NetMirrorFigure(args, 200); }},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: lumidex_bench FIGURE [TABLE] [PATH] [REPEATS]\n");
        return 2;
    }
    bench::FigureArgs args;
    if (argc > 2)
        args.strTable = argv[2];
    if (argc > 3)
        args.strPath = argv[3];
    if (argc > 4)
        args.nRepeats = std::max(1, std::atoi(argv[4]));
    for (const FigureEntry& entry : kFigures) {
        if (std::strcmp(entry.pszName, argv[1]) == 0)
            return entry.pfnRun(args);
    }
    std::fprintf(stderr, "lumidex_bench: unknown figure %s\n", argv[1]);
    return 2;
}
