#include "StudentFinder.h"

#include "QuestioningControls.h"
#include "QuestioningMessages.h"
#include "store/Dataset.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

using namespace QuestioningMessages;

void StudentFinder::findByNumber()
{
    Dataset &query = m_context.mainQuery;
    bool isNumber = false;
    const int number = m_controls.numberBoxText().trimmed().toInt(&isNumber);
    const bool usable = query.isOpen() && isNumber;
    if (usable)
        query.locate(Column::kNumber, number);
    finish(usable);
}

void StudentFinder::findByName()
{
    Dataset &query = m_context.mainQuery;
    const bool usable = query.isOpen();
    if (usable)
        query.locatePrefix(Column::kName, m_controls.nameBoxText());
    finish(usable);
}

void StudentFinder::finish(bool usable)
{
    // A number or name that matches nobody is no error: nothing moves, nothing is said.
    if (usable)
        m_controls.setGradeBoxEnabled(true);
    else
        m_context.prompter.message(kError, kNoData, Prompter::Buttons::Ok, Prompter::Icon::Information);
}
