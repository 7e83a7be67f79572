#include "StudentFinder.h"

#include "QuestioningHost.h"
#include "QuestioningMessages.h"
#include "shell/Prompter.h"
#include "store/Dataset.h"

using namespace QuestioningMessages;

void StudentFinder::findByNumber()
{
    Dataset &query = m_host.mainQuery();
    bool isNumber = false;
    const int number = m_host.numberBoxText().trimmed().toInt(&isNumber);
    const bool usable = query.isOpen() && isNumber;
    if (usable)
        query.locate(QStringLiteral("编号"), number);
    finish(usable);
}

void StudentFinder::findByName()
{
    Dataset &query = m_host.mainQuery();
    const bool usable = query.isOpen();
    if (usable)
        query.locatePrefix(QStringLiteral("姓名"), m_host.nameBoxText());
    finish(usable);
}

void StudentFinder::finish(bool usable)
{
    // A number or name that matches nobody is no error: nothing moves, nothing is said.
    if (usable)
        m_host.setGradeBoxEnabled(true);
    else
        m_host.prompter().message(kError, kNoData, Prompter::Buttons::Ok, Prompter::Icon::Information);
}
