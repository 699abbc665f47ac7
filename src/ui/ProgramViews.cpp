// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgramViews.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "ui/QtText.h"
#include "ui/ResultsWindowView.h"
#include "ui/WindowKeys.h"
#include "ui/WindowPlaces.h"

namespace vesk::ui {

namespace {

// The input encoding is kept with the places of the windows: it belongs to this desktop's files, not to the
// parameter files that go from one computer to another.
const QString kEncodingKey = QStringLiteral("input/encoding");

// Puts a window (a model's) at a remembered place, or gives it the remembered size only.
void Place(Form& model, const QRect& place, bool sizeOnly) {
    if (!sizeOnly) model.Move(PixelsToTwips(place.x()), PixelsToTwips(place.y()));
    model.Resize(PixelsToTwips(place.width()), PixelsToTwips(place.height()));
}

}  // namespace

ProgramViews::ProgramViews(Program& programRef, Platform& platform)
    : program(programRef),
      binder(platform),
      main(program.frmMain, binder),
      params(program.frmParams, binder),
      help(program.frmHelp, binder) {
    auto openHelp = [this] { program.frmMain.cmdHelp_Click(); };
    AddWindowKeys(main, binder, openHelp);
    AddWindowKeys(params, binder, openHelp, [this] { program.frmParams.cmdClose.Click(); });
    AddWindowKeys(help, binder, openHelp, [this] { program.frmHelp.cmdClose.Click(); });
}

QString ProgramViews::PlacesFile() const {
    const QString stateFile = ToQt(program.frmMain.strStateFile);
    if (stateFile.isEmpty()) return {};
    return QFileInfo(stateFile).dir().filePath(QStringLiteral("vesk-windows.ini"));
}

void ProgramViews::AfterStart() {
    params.FitToContent();
    const QString file = PlacesFile();
    if (file.isEmpty()) return;
    ComboBox& encodings = program.frmMain.cboInputEncoding;
    const QString encoding = QSettings(file, QSettings::IniFormat).value(kEncodingKey).toString();
    for (std::size_t i = 0; i < encodings.Items().size(); ++i)
        if (ToQt(encodings.Items()[i]) == encoding) encodings.SetListIndex(static_cast<int>(i));
    const WindowPlaces places(file);
    if (const auto place = places.Remembered(main)) Place(program.frmMain, *place, false);
    // The help window is placed by its first opening, the parameters window by every one: the remembered
    // place follows that.
    program.frmHelp.shown.Connect([this, places] {
        if (std::exchange(m_helpPlaced, true)) return;
        if (const auto place = places.Remembered(help)) Place(program.frmHelp, *place, false);
    });
    PlaceResultsWindowOnOpening(main, [places](QWidget& window) {
        if (const auto place = places.Remembered(window)) {
            window.resize(place->size());
            window.move(place->topLeft());
        }
    });
    program.frmParams.shown.Connect([this, places] {
        if (std::exchange(m_paramsSized, true)) return;
        if (const auto place = places.Remembered(params)) Place(program.frmParams, *place, true);
    });
}

void ProgramViews::RememberPlaces() const {
    const QString file = PlacesFile();
    if (file.isEmpty()) return;
    QSettings(file, QSettings::IniFormat).setValue(kEncodingKey, ToQt(program.frmMain.cboInputEncoding.Text()));
    const WindowPlaces places(file);
    for (const QWidget* window :
         {static_cast<const QWidget*>(&main), static_cast<const QWidget*>(&params), static_cast<const QWidget*>(&help),
          static_cast<const QWidget*>(ResultsWindowOf(main))})
        if (window != nullptr && window->testAttribute(Qt::WA_WState_Created)) places.Remember(*window);
}

}  // namespace vesk::ui
