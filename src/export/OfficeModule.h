#pragma once

#include "SheetContents.h"
#include "store/Result.h"

class AnalysisReport;
class AnalysisView;
class QWidget;

/// The office part of the program: the workbook writers (libxlsxwriter) and the analysis
/// window (Qt Charts). Those libraries take a noticeable part of a start-up, so the
/// program keeps them in libqingsui-office.so, beside it (or, installed, in its private
/// library folder, ../lib/<architecture>/qingsui), and loads it the first time 导出至Excel or 成绩分析 wants it. A program that
/// has the office part linked in (the tests, the benchmarks) uses its own.
namespace OfficeModule {

/// The office part's entry points.
struct Functions {
    Result (*writeSheet)(const QString &path, const SheetContents &sheet);
    Result (*writeAnalysis)(const QString &path, const AnalysisReport &report);
    AnalysisView *(*analysisWindow)(QWidget *parent);
};

/// The file the program loads.
inline const QString kFileName = QStringLiteral("libqingsui-office.so");

/// The entry points, loaded when first asked for; a Chinese message naming the file when
/// the part cannot be loaded.
ReadResult<const Functions *> functions();

/// 导出至Excel's workbook (see WorkbookWriter).
[[nodiscard]] Result writeSheet(const QString &path, const SheetContents &sheet);
/// 成绩分析's workbook (see AnalysisWorkbook).
[[nodiscard]] Result writeAnalysis(const QString &path, const AnalysisReport &report);

} // namespace OfficeModule

/// Defined by the office part; its table of entry points.
extern "C" const OfficeModule::Functions *qingsui_office_functions();
