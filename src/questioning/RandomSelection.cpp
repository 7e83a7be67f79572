#include "RandomSelection.h"

#include "FairLesson.h"
#include "FairLessonMessages.h"
#include "QuestioningControls.h"
#include "QuestioningMessages.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <algorithm>
#include <ctime>

using namespace QuestioningMessages;

namespace {

quint32 secondsNow()
{
    return quint32(std::time(nullptr));
}
} // namespace

RandomSelection::RandomSelection(
    AppContext &context, MainView &view, QuestioningControls &controls, std::function<quint32()> seedSource, FairLesson *fair)
    : m_context(context)
    , m_view(view)
    , m_controls(controls)
    , m_seedSource(seedSource ? std::move(seedSource) : std::function<quint32()>(secondsNow))
    , m_fair(fair)
{
}

void RandomSelection::command()
{
    const QString &mode = m_context.login.mode;
    if (mode == kModeQuestioning) {
        if (m_running)
            finish();
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
    if (!planFairRace(range))
        return;

    m_range = range;
    m_controls.setGradeBoxEnabled(false);
    m_controls.setCountEnabled(false);
    m_running = true;
    m_generator.setSeed(m_seedSource());
    m_controls.startTimer();
    m_controls.playAnimation();
}

bool RandomSelection::planFairRace(int range)
{
    m_plan = {};
    if (!m_fair)
        return true;
    // Read afresh: another program on the same folder may have asked or marked somebody.
    if (const Result read = m_fair->refresh(); !read) {
        m_context.prompter.error(read.error);
        return false;
    }
    // The notice of a new round stays until the next race.
    if (m_roundNoticeShown) {
        m_view.showStatus(1, QString());
        m_roundNoticeShown = false;
    }
    // Nothing kept for the class: the plain race, without looking at its rows.
    if (!m_fair->noRepeat() && m_fair->state().absent.isEmpty())
        return true;
    FairRace::Plan plan = FairRace::plan(m_fair->students(), range, m_fair->state());
    if (plan.kind == FairRace::Plan::Kind::NobodyPresent) {
        m_context.prompter.notice(
            kNotice, plan.everyoneAbsent ? FairLessonMessages::kEveryoneAbsent : FairLessonMessages::kRangeAbsent);
        return false;
    }
    if (plan.newRound) {
        if (const Result begun = m_fair->beginRoundAfter(m_fair->state().round); !begun) {
            m_context.prompter.error(begun.error);
            return false;
        }
        m_view.showStatus(1, FairLessonMessages::kNewRound);
        m_roundNoticeShown = true;
    }
    m_plan = std::move(plan);
    return true;
}

void RandomSelection::finish()
{
    if (m_plan.kind != FairRace::Plan::Kind::Fair || !m_context.mainQuery.isOpen()) {
        stop();
        return;
    }
    m_controls.stopTimer();
    // Stopped before the first tick, or moved by a find meanwhile: the race still ends on
    // an eligible student.
    if (!onEligible())
        moveToEligible();
    stop();
    if (!m_plan.noRepeat)
        return;
    if (const std::optional<StudentKey> chosen = m_fair->currentStudent()) {
        if (const Result recorded = m_fair->recordAsked(*chosen); !recorded)
            m_context.prompter.error(recorded.error);
    }
}

bool RandomSelection::onEligible() const
{
    const std::optional<StudentKey> current = m_fair->currentStudent();
    return current && std::any_of(m_plan.eligible.cbegin(), m_plan.eligible.cend(), [&](const FairRace::Student &student) {
        return student.key == *current;
    });
}

void RandomSelection::moveToEligible()
{
    const FairRace::Student &chosen = m_plan.eligible.at(FairRace::pick(m_generator, int(m_plan.eligible.size())));
    m_controls.setNumberBoxText(QString::number(chosen.key.number));
    Dataset &query = m_context.mainQuery;
    const auto holds = [&](int row) {
        return StudentKey::of(
                   query.value(row, query.fieldIndex(Column::kNumber)), query.value(row, query.fieldIndex(Column::kName)))
            == chosen.key;
    };
    // The rows may have been read again since the start: find the student anew then.
    if (holds(chosen.row)) {
        query.moveTo(chosen.row);
        return;
    }
    for (int row = 0; row < query.rowCount(); ++row) {
        if (holds(row)) {
            query.moveTo(row);
            return;
        }
    }
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
    if (m_plan.kind == FairRace::Plan::Kind::Fair) {
        moveToEligible();
        return;
    }
    const int drawn = m_generator.next() % m_range + 1;
    m_controls.setNumberBoxText(QString::number(drawn));
    query.locate(Column::kNumber, drawn);
}
