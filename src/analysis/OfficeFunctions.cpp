// The office part's table of entry points (see OfficeModule): the workbook writers and
// the analysis window, with the libraries they need.
#include "AnalysisWindow.h"
#include "AnalysisWorkbook.h"
#include "export/OfficeModule.h"
#include "export/WorkbookWriter.h"

extern "C" __attribute__((visibility("default"))) const OfficeModule::Functions *qingsui_office_functions()
{
    static const OfficeModule::Functions functions{
        &WorkbookWriter::write,
        &AnalysisWorkbook::write,
        [](QWidget *parent) -> AnalysisView * { return new AnalysisWindow(parent); },
    };
    return &functions;
}
