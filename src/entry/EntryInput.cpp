#include "EntryInput.h"

#include "store/LineFile.h"

QStringList EntryInput::rows() const
{
    return gridInUse ? gridCells : LineFile::splitLines(memoText);
}

bool EntryInput::rosterHasInput() const
{
    return gridInUse ? !gridCells.value(0).isEmpty() : !memoText.isEmpty();
}

bool EntryInput::resultsHaveInput() const
{
    return !memoText.isEmpty() || !gridCells.value(0).isEmpty();
}
