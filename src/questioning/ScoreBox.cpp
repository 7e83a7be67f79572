#include "ScoreBox.h"

#include <QLineEdit>

ScoreBox::ScoreBox(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
}

QString ScoreBox::scoreText() const
{
    return lineEdit()->text();
}

void ScoreBox::setScoreText(const QString &text)
{
    lineEdit()->setText(text);
}

int ScoreBox::value() const
{
    return scoreText().trimmed().toInt();
}

void ScoreBox::setValue(int value)
{
    setScoreText(QString::number(qBound(kMinimum, value, kMaximum)));
}

void ScoreBox::stepBy(int steps)
{
    bool isNumber = false;
    int value = scoreText().trimmed().toInt(&isNumber);
    if (!isNumber)
        value = kMinimum;
    setScoreText(QString::number(qBound(kMinimum, value + steps * kStep, kMaximum)));
    selectAll();
}

QAbstractSpinBox::StepEnabled ScoreBox::stepEnabled() const
{
    bool isNumber = false;
    const int value = scoreText().trimmed().toInt(&isNumber);
    if (!isNumber)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (value > kMinimum)
        enabled |= StepDownEnabled;
    if (value < kMaximum)
        enabled |= StepUpEnabled;
    return enabled;
}

QValidator::State ScoreBox::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (const QChar c : input)
        if (!c.isDigit() || c.unicode() > u'9')
            return QValidator::Invalid;
    return input.toInt() <= kMaximum ? QValidator::Acceptable : QValidator::Invalid;
}

void ScoreBox::fixup(QString &) const
{
}
