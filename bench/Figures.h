#pragma once

// One function per figure: each measures its part, prints its "name value"
// lines and returns the process's exit status.

#include "bench/BenchSupport.h"

namespace bench {

int FetchFigure(const FigureArgs& args);
int LibpqFigure(const FigureArgs& args);
int LibpqRowFigure(const FigureArgs& args);
int OciFetchFigure(const FigureArgs& args);
int LogonFigure(const FigureArgs& args);
int SortFigure(const FigureArgs& args);
int BareSortFigure(const FigureArgs& args);
int ExportFigure(const FigureArgs& args);
int PlainWriteFigure(const FigureArgs& args);
int ListFigure(const FigureArgs& args);
int TreeFigure(const FigureArgs& args);

}  // namespace bench
