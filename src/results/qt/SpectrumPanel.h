// One spectrum's controls in the results panel ("Eredmények"): the strip
// above the plot ("Ymax", "Auto", the marker choice, "Csat.:"), the plot
// with its marker line and statistics box, and the strip below it ("Xmin",
// the "X=" / "Y=" readouts, "Xmax").  SpectrumPanel holds the logic that
// both spectra share; EnergySpectrumPanel and TimeSpectrumPanel give the
// controls and handlers their names.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QImage>
#include <QPoint>
#include <QRadioButton>

#include "editor/qt/NumberFields.h"
#include "results/model/SpectrumPanel.h"
#include "results/qt/SpectrumPlot.h"
#include "ui/qt/Controls.h"
#include "ui/qt/Image.h"
#include "ui/qt/Shape.h"

class QPainter;

// Where one spectrum's controls lie in the results panel and how they start.
struct SpectrumPanelPlace {
    QPoint UpperStrip;   // 281 × 28
    QPoint PlotPanel;    // 279 × 197
    QPoint LowerStrip;   // 281 × 30
    int MarkerLineLeft;  // in the plot panel
    const char* Choice;  // the radio button's caption
    bool Chosen;         // its marker line shown and the keys acting on it
    std::int32_t MarkerStart;
};

class SpectrumPanel : public QObject {
public:
    using TPanel = velox::ui::TPanel;

    SpectrumPanel(QWidget* results, velox::Results& store, velox::Spectrum& spectrum, const std::vector<double>& values,
                  NumberFields& fields, const SpectrumPanelPlace& place);

    // The layout step: the image fills its frame but for 5 pixels each way,
    // the bitmap the image but for 5 more; the spectrum is set up for it.
    void InitSpectrum();
    void DrawAxes();
    void DrawSpectrum();
    void UpdateMarker();
    // Timer3: a spectrum that holds counts is redrawn.
    void RedrawIfCounted();
    // Alt + Left / Alt + Right: the marker moves one channel.
    void MoveMarker(velox::MarkerKey key);
    // RefreshNumberFields' part: "Ymax", "Xmax", "Xmin", "Csat.:".
    void ShowNumberFields();
    // A loaded setting of "Auto" runs the box's click handling, as if the
    // user had clicked it.
    void ShowAuto();
    // The plot as the window shows it, drawn afresh from the current results
    // onto `painter` in the bitmap's coordinates: the axes, the count line and
    // the statistics texts when the window shows them, and the marker line
    // over them when it is shown.  The spectrum record is left as it is.
    void PaintPlot(QPainter& painter) const;
    QSize PlotSize() const { return plotSize_; }

    // The leave handlers of "Ymax", "Xmin", "Xmax" and "Csat.:".
    void YMaxExit(Leave how);
    void XMinExit(Leave how);
    void XMaxExit(Leave how);
    void ChannelWidthExit(Leave how);
    void AutoClick();
    // A right click on the plot opens the statistics box.
    void ImageMouseDown(Qt::MouseButton button);
    void Panel12MouseUp(TPanel* sender);  // closes the statistics box
    void Label31MouseUp(QLabel* sender);  // the same from one of its labels

    velox::ui::SpectrumPlot Plot;  // the off-screen bitmap and the controls showing it

    // Every accepted setting and the "Auto" box rewrite the number fields.
    std::function<void()> RefreshNumberFields;
    // The radio button or the plot panel was clicked.
    std::function<void()> Chosen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    TPanel* upperStrip;
    QLabel* yMaxLabel;
    QLineEdit* yMaxField;
    QCheckBox* autoBox;
    QRadioButton* choice;
    QLabel* widthLabel;
    QLineEdit* widthField;
    TPanel* plotPanel;
    velox::ui::TBevel* frame;
    velox::ui::TImage* image;
    velox::ui::TShape* markerLine;
    TPanel* statisticsBox;
    QLabel *statisticsCount, *statisticsMean, *statisticsDeviation;
    TPanel* lowerStrip;
    QLabel* xMinLabel;
    QLineEdit* xMinField;
    QLabel *markerX, *markerY;
    QLabel* xMaxLabel;
    QLineEdit* xMaxField;

private:
    // The rule of the spectrum's fields: accepted, stored, then the number
    // fields, the marker when the range moved it, and the plot.
    template <class Value, class StoreValue>
    void LeaveSetting(QLineEdit* field, Leave how, const std::optional<Value>& value, StoreValue store,
                      bool placeMarker);

    velox::Results& Store;
    velox::Spectrum& Spectrum;
    const std::vector<double>& Values;
    NumberFields& Fields;
    std::int32_t markerStart_;
    // The last drawing was the whole plot, not the empty axes of a clear.
    bool countsShown_ = false;
    // The last drawing's geometry, drawn again at a new zoom or pixel ratio.
    velox::AxesGeometry shownAxes_;
    velox::SpectrumGeometry shownSpectrum_;
    QSize plotSize_;  // the bitmap's size in logical pixels
};

// Both plots side by side, `left` and `right` 10 pixels apart on white,
// drawn afresh at `scale` times their size by a scaled painter, so that
// they print sharply.  The picture's resolution says `scale` × 96 dots per
// inch, so that it prints as large as the window shows it.
QImage SpectraPicture(const SpectrumPanel& left, const SpectrumPanel& right, int scale);

class EnergySpectrumPanel : public SpectrumPanel {
public:
    EnergySpectrumPanel(QWidget* results, velox::Results& store, NumberFields& fields);

    TPanel* const Panel8 = velox::ui::Named(upperStrip, "Panel8");
    QLabel* const Label8 = velox::ui::Named(yMaxLabel, "Label8");
    QLineEdit* const Edit10 = velox::ui::Named(yMaxField, "Edit10");
    QCheckBox* const CheckBox2 = velox::ui::Named(autoBox, "CheckBox2");
    QRadioButton* const RadioButton1 = velox::ui::Named(choice, "RadioButton1");
    QLabel* const Label9 = velox::ui::Named(widthLabel, "Label9");
    QLineEdit* const Edit9 = velox::ui::Named(widthField, "Edit9");
    TPanel* const Panel4 = velox::ui::Named(plotPanel, "Panel4");
    velox::ui::TBevel* const Bevel2 = velox::ui::Named(frame, "Bevel2");
    velox::ui::TImage* const Image2 = velox::ui::Named(image, "Image2");
    velox::ui::TShape* const Shape43 = velox::ui::Named(markerLine, "Shape43");
    TPanel* const Panel12 = velox::ui::Named(statisticsBox, "Panel12");
    QLabel* const Label31 = velox::ui::Named(statisticsCount, "Label31");
    QLabel* const Label32 = velox::ui::Named(statisticsMean, "Label32");
    QLabel* const Label33 = velox::ui::Named(statisticsDeviation, "Label33");
    TPanel* const Panel6 = velox::ui::Named(lowerStrip, "Panel6");
    QLabel* const Label14 = velox::ui::Named(xMinLabel, "Label14");
    QLineEdit* const Edit6 = velox::ui::Named(xMinField, "Edit6");
    QLabel* const Label10 = velox::ui::Named(markerX, "Label10");
    QLabel* const Label11 = velox::ui::Named(markerY, "Label11");
    QLabel* const Label15 = velox::ui::Named(xMaxLabel, "Label15");
    QLineEdit* const Edit5 = velox::ui::Named(xMaxField, "Edit5");

    void Edit10Exit(Leave how) { YMaxExit(how); }
    void Edit6Exit(Leave how) { XMinExit(how); }
    void Edit5Exit(Leave how) { XMaxExit(how); }
    void Edit9Exit(Leave how) { ChannelWidthExit(how); }
    void CheckBox2Click() { AutoClick(); }
    void Image2MouseDown(Qt::MouseButton button) { ImageMouseDown(button); }
};

class TimeSpectrumPanel : public SpectrumPanel {
public:
    TimeSpectrumPanel(QWidget* results, velox::Results& store, NumberFields& fields);

    TPanel* const Panel9 = velox::ui::Named(upperStrip, "Panel9");
    QLabel* const Label16 = velox::ui::Named(yMaxLabel, "Label16");
    QLineEdit* const Edit12 = velox::ui::Named(yMaxField, "Edit12");
    QCheckBox* const CheckBox3 = velox::ui::Named(autoBox, "CheckBox3");
    QRadioButton* const RadioButton2 = velox::ui::Named(choice, "RadioButton2");
    QLabel* const Label17 = velox::ui::Named(widthLabel, "Label17");
    QLineEdit* const Edit11 = velox::ui::Named(widthField, "Edit11");
    TPanel* const Panel5 = velox::ui::Named(plotPanel, "Panel5");
    velox::ui::TBevel* const Bevel3 = velox::ui::Named(frame, "Bevel3");
    velox::ui::TImage* const Image3 = velox::ui::Named(image, "Image3");
    velox::ui::TShape* const Shape44 = velox::ui::Named(markerLine, "Shape44");
    TPanel* const Panel13 = velox::ui::Named(statisticsBox, "Panel13");
    QLabel* const Label34 = velox::ui::Named(statisticsCount, "Label34");
    QLabel* const Label35 = velox::ui::Named(statisticsMean, "Label35");
    QLabel* const Label36 = velox::ui::Named(statisticsDeviation, "Label36");
    TPanel* const Panel7 = velox::ui::Named(lowerStrip, "Panel7");
    QLabel* const Label19 = velox::ui::Named(xMinLabel, "Label19");
    QLineEdit* const Edit8 = velox::ui::Named(xMinField, "Edit8");
    QLabel* const Label12 = velox::ui::Named(markerX, "Label12");
    QLabel* const Label13 = velox::ui::Named(markerY, "Label13");
    QLabel* const Label23 = velox::ui::Named(xMaxLabel, "Label23");
    QLineEdit* const Edit7 = velox::ui::Named(xMaxField, "Edit7");

    void Edit12Exit(Leave how) { YMaxExit(how); }
    void Edit8Exit(Leave how) { XMinExit(how); }
    void Edit7Exit(Leave how) { XMaxExit(how); }
    void Edit11Exit(Leave how) { ChannelWidthExit(how); }
    void CheckBox3Click() { AutoClick(); }
    void Image3MouseDown(Qt::MouseButton button) { ImageMouseDown(button); }
};
