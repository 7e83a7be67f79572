#include "EntryInput.h"

#include "store/TextFiles.h"

QStringList EntryInput::rows() const
{
    return gridInUse ? gridCells : TextFiles::splitLines(memoText);
}

bool EntryInput::rosterHasInput() const
{
    return gridInUse ? !gridCells.value(0).isEmpty() : !memoText.isEmpty();
}

bool EntryInput::resultsHaveInput() const
{
    return !memoText.isEmpty() || !gridCells.value(0).isEmpty();
}
