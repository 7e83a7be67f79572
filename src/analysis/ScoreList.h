#pragma once

#include <QVector>
#include <optional>

/// One column of scores, a value per student in the class's order; nullopt is a missing
/// score (an empty cell, or one that holds no number).
using ScoreList = QVector<std::optional<double>>;
