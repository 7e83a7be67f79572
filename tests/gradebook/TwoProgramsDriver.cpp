// One of two programs editing the same grade book at the same time: Enter on cells of the
// view it read, now and then a score batch in a new column, now and then the view reopened.
//   gradebook_two_programs_driver <program folder> <seed> <milliseconds> [<server URL>]
#include "GradeBookProgram.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5)
        return 2;
    QRandomGenerator random(args.at(2).toUInt());
    GradeBookProgram program(QStringLiteral("driver"), args.at(1), args.value(4));
    QTextStream err(stderr);
    if (Result opened = program.openGradeBookView(); !opened) {
        err << opened.error << '\n';
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    int batches = 0;
    for (int step = 0; clock.elapsed() < args.at(3).toInt(); ++step) {
        QString wrong = program.enter(random.bounded(kProgramStudents), random.bounded(100), random.bounded(101));
        if (wrong.isEmpty() && step % 25 == 5 && batches < 8) {
            wrong = program.batch(step);
            ++batches;
        }
        if (wrong.isEmpty() && step % 40 == 39) {
            if (Result reopened = program.openGradeBookView(); !reopened)
                wrong = reopened.error;
        }
        if (!wrong.isEmpty()) {
            err << "step " << step << ": " << wrong << '\n';
            return 1;
        }
    }
    return 0;
}
