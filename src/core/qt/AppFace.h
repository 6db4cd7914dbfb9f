// The Qt side of the application layer (core/app/Window): text measured
// with the window's fonts, the layer's questions answered with message
// boxes, file dialogs and the program's modal dialogs, the model's pictures
// painted on the window's bitmaps, and the layer's control state shown on
// the widgets that carry the controls' names.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QString>

#include "core/app/Window.h"
#include "results/model/PlotGeometry.h"

class QObject;
class QWidget;
class TUregAdatDlg;

namespace velox::ui {

class QtMeasure : public app::TextMeasure {
public:
    // `window`'s font measures the number fields; the plots use SmallFont().
    explicit QtMeasure(const QWidget& window) : window_(window) {}
    std::int32_t MainWidth(std::string_view text) const override;
    std::int32_t SmallWidth(std::string_view text) const override;
    std::int32_t SmallHeight() const override;

private:
    // The metrics of the window's present font, made once per font.
    const QFontMetrics& Main() const;
    const QWidget& window_;
    mutable std::optional<std::pair<QFont, QFontMetrics>> main_;
    mutable std::optional<TextMetrics> small_;
};

// Answers each question at once with a modal message box, parented to the
// active window and at its zoom, each file choice with Qt's file dialog and
// the cavity dialog modally; the timers keep running under them.
class QtAsker : public app::Asker {
public:
    std::function<TUregAdatDlg&()> CavityDialog;
    // Where questions and file choices go instead of the boxes and the file
    // dialogs (a test's answers); none: to the boxes and dialogs.
    app::Asker* Instead = nullptr;
    void Ask(app::Question question) override;
    // The filter list "description|pattern|…" becomes Qt's name filters.  A
    // name typed without a suffix gets the default one or, for a choice of
    // format (SaveChoice), that of the filter the user picked.  The save
    // dialog asks before it lets an existing file be replaced.
    void Choose(app::FileChoice choice) override;
    void ShowCavityDialog(app::CavityDialogRequest request) override;
};

// Paints the model's pictures on the bitmaps the window gives.
class QtPainter : public app::Painter {
public:
    std::function<QImage&(app::Picture)> Bitmap;
    std::function<QSize(app::Picture)> Size;  // the picture's size in logical pixels
    std::function<void(app::Picture)> Painted;  // the bitmap reaches the screen
    std::function<QImage()> SpectraPicture;
    std::function<QFont()> Font;
    void Paint(app::Picture picture,
               const std::function<void(Canvas&, std::int32_t, std::int32_t)>& draw) override;
    std::optional<std::string> SpectraPng() override;
};

// The widgets, actions and timers by the names of the layer's controls.
class ControlMap {
public:
    // Every named object under `root` (and `root` itself when named).
    void AddTree(QObject& root);
    void Add(QObject& object);
    QObject* Find(const std::string& name) const;
    // Shows the layer's state of the controls named.
    void Show(const app::ControlSet& controls, const std::vector<std::string>& names) const;
    static void Show(QObject& object, const app::ControlState& state);

private:
    QHash<QString, QObject*> objects_;
};

}  // namespace velox::ui
