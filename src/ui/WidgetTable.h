// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's widgets as a table. Each row is a widget bound to a model control (and kept in a member of the
// view), a fixed caption, room between widgets, or the start or end of a layout; with it go its place in the
// enclosing layout and its look. LayOut walks the rows in order, so their order is also the order of the
// keyboard focus; BindWidgets walks them again to bind each widget to its control.

#include <QSize>
#include <initializer_list>
#include <span>
#include <variant>
#include <vector>

#include "app/Controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace vesk::ui {

class Binder;

// How a widget looks beyond its kind; the flags combine.
enum Look : unsigned {
    kPlain = 0,
    kFixedPitch = 1U << 0,  // so that columns line up
    kLink = 1U << 1,        // underlined in the link colour; a click runs the control's Click()
    kWrap = 1U << 2,        // text wraps at the widget's width
    kKeepRoom = 1U << 3,    // hidden, it keeps its room, so that its neighbours stay where they are
    kReadOnly = 1U << 4,
    kDozenWide = 1U << 5,   // no wider than a dozen characters
    kTwirler = 1U << 6,     // its caption codes are shown as half blocks
    kLabelsNext = 1U << 7,  // a caption that names the next widget, which its mnemonic reaches
};

// A model control and the view's member that keeps its widget; the widget's class follows from the member.
template <typename Model, typename Widget>
struct Bound {
    Model* model = nullptr;
    Widget** widget = nullptr;
};
template <typename Model, typename Widget>
Bound<Model, Widget> Of(Model& model, Widget*& widget) {
    return {&model, &widget};
}

struct Text {  // a fixed caption, UTF-8
    const char* utf8;
};
struct Space {  // room between two neighbours, in pixels
    int pixels;
};
struct Spring {};  // takes the room its neighbours leave
// Layouts; each holds the rows up to its End. A frame bound to a control (a QGroupBox) holds a column too.
struct Row {};
struct Column {};
struct Grid {
    int stretchColumn = -1;  // the column (or row) that takes the room left
    int stretchRow = -1;
};
struct Group {  // a titled frame around a column or grid
    const char* title;
    bool grid = false;
};
struct End {};

using Piece = std::variant<Bound<Label, QLabel>, Bound<CheckBox, QCheckBox>, Bound<OptionButton, QRadioButton>,
                           Bound<Button, QPushButton>, Bound<TextBox, QLineEdit>, Bound<TextBox, QPlainTextEdit>,
                           Bound<ComboBox, QComboBox>, Bound<Control, QGroupBox>, Text, Space, Spring, Row, Column,
                           Grid, Group, End>;

// A place in the enclosing layout: a share of the room left in a row or column, or a cell of a grid.
struct Cell {
    int stretch = 0;
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
};
inline Cell Stretch(int share) { return {share}; }
inline Cell At(int row, int column, int rowSpan = 1, int columnSpan = 1) {
    return {0, row, column, rowSpan, columnSpan};
}

struct WidgetRow {
    template <typename P>
    WidgetRow(P piece, Cell cell = {}, unsigned look = kPlain,
              const char* name = nullptr)  // a row is written as its piece
        : piece(std::move(piece)), cell(cell), look(look), name(name) {}
    Piece piece;
    Cell cell;
    unsigned look;
    // What assistive technology calls a widget that shows no caption of its own (a text box, a list), UTF-8.
    const char* name;
};

// The rows of several tables, one after the other.
std::vector<WidgetRow> Joined(std::initializer_list<std::vector<WidgetRow>> tables);

// Makes the widgets of `rows` inside `window`, in a column that fills it, and stores each bound one in its member.
void LayOut(QWidget& window, std::span<const WidgetRow> rows);
// A widget that fills `window` inside a scroll area, for a window that may be made smaller than its widgets
// need: scroll bars appear instead of the widgets being squeezed.
QWidget& ScrolledContent(QWidget& window);
// The size at which that content shows whole, at least `least`: wrapped text needs more height when narrower.
QSize WholeSize(QWidget& content, QSize least);
// Binds each widget made by LayOut to its control.
void BindWidgets(Binder& binder, std::span<const WidgetRow> rows);

}  // namespace vesk::ui
