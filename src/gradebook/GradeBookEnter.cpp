#include "GradeBookEnter.h"

#include "GradeBookMessages.h"
#include "store/Dataset.h"
#include "store/TableNames.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

using namespace GradeBookMessages;

namespace GradeBookEnter {

bool isSortedView(const Dataset &view)
{
    return view.fieldCount() > 0 && view.fieldName(view.fieldCount() - 1) == QStringLiteral("名次");
}

void press(Dataset &view, Prompter &prompter, MainView &mainView, const QString &mode, const QString &columnList)
{
    // Group totals are sums over several students: there is no row to write.
    if (!view.isWritable())
        return;
    if (isSortedView(view)) {
        // The sorted view is left as it was: a value typed into it is not stored.
        view.cancel();
        if (prompter.confirm(kNotice, kLeaveSortedView)) {
            if (const Result reopened = mainView.openGradeBookView(); !reopened)
                prompter.error(reopened.error);
        }
        return;
    }
    // Enter on an empty view would otherwise store an empty student.
    if (view.currentRow() < 0)
        return;

    // The totals are computed by the statement that writes the row, from the row in the
    // file: a score another program stored meanwhile counts as well.
    const bool recompute = mode == kModeGradeBook && columnList != kNoScoreColumns;
    const Result result = recompute ? view.postWithRowTotals() : view.post();
    if (!result) {
        prompter.error(result.error);
        view.cancel();
    }
}

} // namespace GradeBookEnter
