#pragma once

// One function per figure: each measures its part, prints its "name value"
// lines and returns the process's exit status.

#include "bench/BenchSupport.h"
#include "oci/oci_api.h"

namespace bench {

int FetchFigure(const FigureArgs& args);
int LibpqFigure(const FigureArgs& args);
int LibpqRowFigure(const FigureArgs& args);
int OciFetchFigure(const FigureArgs& args);
int LogonFigure(const FigureArgs& args);
int SortFigure(const FigureArgs& args);
int BareSortFigure(const FigureArgs& args);
int ExportFigure(const FigureArgs& args);
int CsvExportFigure(const FigureArgs& args);
int PlainWriteFigure(const FigureArgs& args);
int ListFigure(const FigureArgs& args);
int TreeFigure(const FigureArgs& args);
// The listing through the connect string args.strPath: by the session, and
// by its calls made here with a prefetch of nPrefetchRows (0: unset).
int NetListFigure(const FigureArgs& args);
int NetMirrorFigure(const FigureArgs& args, ub4 nPrefetchRows);

}  // namespace bench
