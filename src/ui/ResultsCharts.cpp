// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ResultsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QWidget>
#include <algorithm>

#include "settings/AtomicSave.h"

namespace vesk::ui {

namespace {

QValueAxis* ValueAxis(const QString& title, double low, double high) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    return axis;
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

}  // namespace

QChart* MakeTopWordsChart(const ResultsModel& results, int count) {
    auto* chart = new QChart;
    const auto words = results.TopWords(count);
    chart->setTitle(words.empty() ? QStringLiteral("No words are listed")
                                  : QStringLiteral("The %1 most frequent words").arg(words.size()));
    chart->legend()->hide();
    auto* set = new QBarSet(QStringLiteral("Frequency"));
    QStringList names;
    std::int64_t most = 1;
    for (const auto& [word, frequency] : words) {
        names << QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
        *set << static_cast<double>(frequency);
        most = std::max(most, frequency);
    }
    auto* series = new QBarSeries;
    series->append(set);
    auto* x = new QBarCategoryAxis;
    x->append(names);
    x->setLabelsAngle(-90);
    auto* y = ValueAxis(QStringLiteral("Frequency"), 0, static_cast<double>(most));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    Attach(*chart, series, x, y);
    return chart;
}

QChart* MakeZipfChart(const ResultsModel& results) {
    auto* chart = new QChart;
    chart->setTitle(QString::fromStdString(results.ZipfCaption()));
    const std::vector<ZipfPoint> points = results.ZipfPoints();
    double right = 1, top = 1;
    for (const ZipfPoint& point : points) {
        right = std::max(right, point.x);
        top = std::max(top, point.y);
    }
    auto* x = ValueAxis(QStringLiteral("log10 of the rank"), 0, right);
    auto* y = ValueAxis(QStringLiteral("log10 of the frequency"), 0, top);
    x->setLabelFormat(QStringLiteral("%.1f"));
    y->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    auto* scatter = new QScatterSeries;
    scatter->setName(QStringLiteral("Words"));
    scatter->setMarkerSize(6);
    scatter->setBorderColor(Qt::transparent);
    QList<QPointF> drawn;
    for (const ZipfPoint& point : ThinnedPoints(points, 1000, 1000)) drawn.append(QPointF(point.x, point.y));
    scatter->replace(drawn);
    Attach(*chart, scatter, x, y);

    if (const auto line = results.FitZipfLine()) {
        auto* fitted = new QLineSeries;
        fitted->setName(QStringLiteral("Least-squares line"));
        const double last = points.back().x;
        fitted->append(0, line->intercept);
        fitted->append(last, line->intercept + line->slope * last);
        QPen pen = fitted->pen();
        pen.setWidth(2);
        fitted->setPen(pen);
        Attach(*chart, fitted, x, y);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

std::vector<ZipfPoint> ThinnedPoints(const std::vector<ZipfPoint>& points, int columns, int rows) {
    if (points.empty()) return {};
    double left = points.front().x, right = left, bottom = points.front().y, top = bottom;
    for (const ZipfPoint& point : points) {
        left = std::min(left, point.x);
        right = std::max(right, point.x);
        bottom = std::min(bottom, point.y);
        top = std::max(top, point.y);
    }
    const double width = std::max(right - left, 1e-9), height = std::max(top - bottom, 1e-9);
    std::vector<bool> taken(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    std::vector<ZipfPoint> kept;
    for (const ZipfPoint& point : points) {
        const int column = std::min(columns - 1, static_cast<int>((point.x - left) / width * columns));
        const int row = std::min(rows - 1, static_cast<int>((point.y - bottom) / height * rows));
        const std::size_t cell =
            static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(column);
        if (taken[cell]) continue;
        taken[cell] = true;
        kept.push_back(point);
    }
    return kept;
}

std::string SaveWidgetImage(QWidget& view, const std::string& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString name = QString::fromStdString(path);
    if (name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator drawing;
        drawing.setOutputDevice(&buffer);
        drawing.setSize(view.size());
        drawing.setViewBox(QRect(QPoint(0, 0), view.size()));
        drawing.setTitle(view.accessibleName());
        QPainter painter(&drawing);
        view.render(&painter);
    } else if (!view.grab().save(&buffer, "PNG")) {
        return "The image could not be made.";
    }
    return WriteFileAtomically(path, buffer.data().toStdString());
}

}  // namespace vesk::ui
