#include "RandomSelection.h"

#include "QuestioningHost.h"
#include "QuestioningMessages.h"
#include "shell/LoginState.h"
#include "shell/Prompter.h"
#include "store/Dataset.h"

#include <ctime>

using namespace QuestioningMessages;

namespace {
const QString kNumberField = QStringLiteral("编号");

quint32 secondsNow()
{
    return quint32(std::time(nullptr));
}
} // namespace

RandomSelection::RandomSelection(QuestioningHost &host, std::function<quint32()> seedSource)
    : m_host(host)
    , m_seedSource(seedSource ? std::move(seedSource) : std::function<quint32()>(secondsNow))
{
}

void RandomSelection::command()
{
    const QString &mode = m_host.loginState().mode;
    if (mode == kModeQuestioning) {
        if (m_host.selectionRunning())
            stop();
        else
            start();
    } else if (mode == kModeGradeBook) {
        m_host.toggleDirectModification();
    }
}

void RandomSelection::start()
{
    m_host.useBrowsePresentation();

    Dataset &query = m_host.mainQuery();
    const QString countText = m_host.countText();
    bool readable = query.isOpen();
    int range = 0;
    if (readable) {
        const int rows = query.rowCount();
        if (countText == QLatin1String("0")) {
            range = rows;
        } else {
            const int count = countText.toInt(&readable);
            if (readable && count > rows) {
                range = rows;
                m_host.setCountText(QString::number(range));
            } else {
                range = count;
            }
        }
    }
    if (!readable) {
        m_host.prompter().notice(kNotice, kPleaseLogIn);
        return;
    }

    m_range = range;
    m_host.setGradeBoxEnabled(false);
    m_host.setCountEnabled(false);
    m_host.setSelectionRunning(true);
    m_generator.setSeed(m_seedSource());
    m_host.startTimer();
    m_host.playAnimation();
}

void RandomSelection::stop()
{
    m_host.stopTimer();
    m_host.setNumberBoxText(m_host.numberFieldText());
    m_host.setGradeBoxEnabled(true);
    m_host.setCountEnabled(true);
    m_host.setSelectionRunning(false);
    m_host.stopAnimation();
}

void RandomSelection::tick()
{
    Dataset &query = m_host.mainQuery();
    if (m_range == 0 || !query.isOpen()) {
        // The flag stays running and the boxes stay disabled: the next command stops.
        m_host.stopTimer();
        m_host.stopAnimation();
        m_host.prompter().message(kError, kNoData, Prompter::Buttons::Ok, Prompter::Icon::Information);
        return;
    }
    const int drawn = m_generator.next() % m_range + 1;
    m_host.setNumberBoxText(QString::number(drawn));
    query.locate(kNumberField, drawn);
}
