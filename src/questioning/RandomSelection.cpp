#include "RandomSelection.h"

#include "QuestioningControls.h"
#include "QuestioningMessages.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <ctime>

using namespace QuestioningMessages;

namespace {

quint32 secondsNow()
{
    return quint32(std::time(nullptr));
}
} // namespace

RandomSelection::RandomSelection(
    AppContext &context, MainView &view, QuestioningControls &controls, std::function<quint32()> seedSource)
    : m_context(context)
    , m_view(view)
    , m_controls(controls)
    , m_seedSource(seedSource ? std::move(seedSource) : std::function<quint32()>(secondsNow))
{
}

void RandomSelection::command()
{
    const QString &mode = m_context.login.mode;
    if (mode == kModeQuestioning) {
        if (m_running)
            stop();
        else
            start();
    } else if (mode == kModeGradeBook) {
        m_view.toggleDirectModification();
    }
}

void RandomSelection::start()
{
    m_view.useBrowsePresentation();

    Dataset &query = m_context.mainQuery;
    const QString countText = m_controls.countText();
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
                m_controls.setCountText(QString::number(range));
            } else {
                range = count;
            }
        }
    }
    if (!readable) {
        m_context.prompter.notice(kNotice, kPleaseLogIn);
        return;
    }

    m_range = range;
    m_controls.setGradeBoxEnabled(false);
    m_controls.setCountEnabled(false);
    m_running = true;
    m_generator.setSeed(m_seedSource());
    m_controls.startTimer();
    m_controls.playAnimation();
}

void RandomSelection::stop()
{
    m_controls.stopTimer();
    m_controls.setNumberBoxText(m_controls.numberFieldText());
    m_controls.setGradeBoxEnabled(true);
    m_controls.setCountEnabled(true);
    m_running = false;
    m_controls.stopAnimation();
}

void RandomSelection::tick()
{
    Dataset &query = m_context.mainQuery;
    if (m_range == 0 || !query.isOpen()) {
        // The flag stays running and the boxes stay disabled: the next command stops.
        m_controls.stopTimer();
        m_controls.stopAnimation();
        m_context.prompter.message(kError, kNoData, Prompter::Buttons::Ok, Prompter::Icon::Information);
        return;
    }
    const int drawn = m_generator.next() % m_range + 1;
    m_controls.setNumberBoxText(QString::number(drawn));
    query.locate(Column::kNumber, drawn);
}
