// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two charts of the results window, made from its model: the most frequent words as bars, and every word's
// frequency against its rank on log scales with the fitted line (Zipf's law). Either can be saved as an image.

#include <string>
#include <vector>

#include "app/ResultsModel.h"

class QChart;
class QWidget;

namespace vesk::ui {

// The `count` most frequent listed words as bars, most frequent first.
QChart* MakeTopWordsChart(const ResultsModel& results, int count);
// log10 of the frequency against log10 of the rank for every word, the least-squares line and its exponent
// in the title.
QChart* MakeZipfChart(const ResultsModel& results);

// The points worth drawing: at most one in each cell of a `columns` x `rows` grid over their extent, so that a
// million words draw as fast as a few thousand and look the same.
std::vector<ZipfPoint> ThinnedPoints(const std::vector<ZipfPoint>& points, int columns, int rows);

// Saves what `view` shows, as an SVG drawing when `path` ends in ".svg" (any case), else as a PNG image,
// replacing a file there only once the image is whole. Returns the failure's description, "" on success.
std::string SaveWidgetImage(QWidget& view, const std::string& path);

}  // namespace vesk::ui
