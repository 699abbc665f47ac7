// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WidgetTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/Binder.h"
#include "ui/QtText.h"

namespace vesk::ui {

namespace {

void StyleAsLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
}

// The looks that only some kinds of widget have.
void StyleKind(QWidget* /*widget*/, unsigned /*look*/) {}
void StyleKind(QLabel* label, unsigned look) {
    label->setWordWrap((look & kWrap) != 0);
    if (look & kLink) StyleAsLink(label);
}
void StyleKind(QLineEdit* box, unsigned look) {
    box->setReadOnly((look & kReadOnly) != 0);
    if (look & kDozenWide) box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('M'))));
}
void StyleKind(QPlainTextEdit* box, unsigned look) {
    box->setReadOnly((look & kReadOnly) != 0);
    // Tab goes on to the next control, as from every other widget, rather than into the text.
    box->setTabChangesFocus(true);
    box->setLineWrapMode((look & kWrap) ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

template <typename Widget>
void Style(Widget* widget, unsigned look) {
    if (look & kFixedPitch) widget->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    if (look & kKeepRoom) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    StyleKind(widget, look);
}

// Follows the rows: each level is a layout that is being filled and the widget its widgets belong to.
class Walker {
  public:
    explicit Walker(QWidget& window) { m_levels.push_back({new QVBoxLayout(&window), &window}); }

    void Add(const WidgetRow& row) {
        m_row = &row;
        std::visit(*this, row.piece);
    }

    template <typename Model, typename Widget>
    void operator()(const Bound<Model, Widget>& bound) {
        auto* widget = new Widget(Parent());
        *bound.widget = widget;
        if (m_row->name) widget->setAccessibleName(QString::fromUtf8(m_row->name));
        if (m_naming != nullptr) m_naming->setBuddy(widget);
        m_naming = nullptr;
        Style(widget, m_row->look);
        Place(widget);
    }
    void operator()(const Text& text) {
        auto* label = new QLabel(QString::fromUtf8(text.utf8), Parent());
        if (m_row->look & kLabelsNext) m_naming = label;
        Style(label, m_row->look);
        Place(label);
    }
    void operator()(const Space& space) { Box()->addSpacing(space.pixels); }
    void operator()(const Spring&) { Box()->addStretch(1); }
    void operator()(const Row&) { Open(new QHBoxLayout); }
    void operator()(const Column&) { Open(new QVBoxLayout); }
    void operator()(const Grid& grid) {
        auto* layout = new QGridLayout;
        if (grid.stretchColumn >= 0) layout->setColumnStretch(grid.stretchColumn, 1);
        if (grid.stretchRow >= 0) layout->setRowStretch(grid.stretchRow, 1);
        Open(layout);
    }
    void operator()(const Bound<Control, QGroupBox>& bound) { *bound.widget = OpenFrame(false); }
    void operator()(const Group& group) { OpenFrame(group.grid)->setTitle(QString::fromUtf8(group.title)); }
    void operator()(const End&) { m_levels.pop_back(); }

  private:
    struct Level {
        QLayout* layout;
        QWidget* parent;
    };

    QWidget* Parent() const { return m_levels.back().parent; }
    // Spaces and springs go into rows and columns only.
    QBoxLayout* Box() const {
        auto* box = qobject_cast<QBoxLayout*>(m_levels.back().layout);
        Q_ASSERT(box);
        return box;
    }

    void Place(QWidget* widget) const {
        const Cell& cell = m_row->cell;
        if (auto* grid = qobject_cast<QGridLayout*>(m_levels.back().layout))
            grid->addWidget(widget, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
        else
            Box()->addWidget(widget, cell.stretch);
    }
    QGroupBox* OpenFrame(bool grid) {
        auto* frame = new QGroupBox(Parent());
        Place(frame);
        QLayout* inner = grid ? static_cast<QLayout*>(new QGridLayout(frame)) : new QVBoxLayout(frame);
        m_levels.push_back({inner, frame});
        return frame;
    }
    void Open(QLayout* layout) {
        const Cell& cell = m_row->cell;
        if (auto* grid = qobject_cast<QGridLayout*>(m_levels.back().layout))
            grid->addLayout(layout, cell.row, cell.column, cell.rowSpan, cell.columnSpan);
        else
            Box()->addLayout(layout, cell.stretch);
        m_levels.push_back({layout, Parent()});
    }

    std::vector<Level> m_levels;
    QLabel* m_naming = nullptr;  // a caption waiting for the widget it names
    const WidgetRow* m_row = nullptr;
};

void BindTo(Binder& binder, Label& model, QLabel* widget, unsigned look) {
    const bool twirler = (look & kTwirler) != 0;
    binder.BindLabel(model, widget, (look & kLink) != 0, twirler ? TwirlerText : Binder::CaptionMap{}, twirler);
}
void BindTo(Binder& binder, CheckBox& model, QCheckBox* widget, unsigned) { binder.BindCheckBox(model, widget); }
void BindTo(Binder& binder, OptionButton& model, QRadioButton* widget, unsigned) { binder.BindOption(model, widget); }
void BindTo(Binder& binder, Button& model, QPushButton* widget, unsigned) { binder.BindButton(model, widget); }
void BindTo(Binder& binder, TextBox& model, QLineEdit* widget, unsigned) { binder.BindLineEdit(model, widget); }
void BindTo(Binder& binder, TextBox& model, QPlainTextEdit* widget, unsigned) { binder.BindTextArea(model, widget); }
void BindTo(Binder& binder, ComboBox& model, QComboBox* widget, unsigned) { binder.BindCombo(model, widget); }
void BindTo(Binder& binder, Control& model, QGroupBox* widget, unsigned) { binder.BindControl(model, widget); }

}  // namespace

std::vector<WidgetRow> Joined(std::initializer_list<std::vector<WidgetRow>> tables) {
    std::vector<WidgetRow> rows;
    for (const auto& table : tables) rows.insert(rows.end(), table.begin(), table.end());
    return rows;
}

void LayOut(QWidget& window, std::span<const WidgetRow> rows) {
    Walker walker(window);
    for (const WidgetRow& row : rows) walker.Add(row);
}

QWidget& ScrolledContent(QWidget& window) {
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* area = new QScrollArea(&window);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(area);
    auto* content = new QWidget;
    area->setWidget(content);
    return *content;
}

QSize WholeSize(QWidget& content, QSize least) {
    content.ensurePolished();  // measured in the fonts and style it will be shown in
    const QSize hint = content.sizeHint().expandedTo(content.minimumSizeHint()).expandedTo(least);
    return {hint.width(), std::max(hint.height(), content.heightForWidth(hint.width()))};
}

void BindWidgets(Binder& binder, std::span<const WidgetRow> rows) {
    for (const WidgetRow& row : rows) {
        std::visit(
            [&binder, &row](const auto& piece) {
                if constexpr (requires { piece.model; }) BindTo(binder, *piece.model, *piece.widget, row.look);
            },
            row.piece);
    }
}

}  // namespace vesk::ui
