// The foot of the results panel: "Teszt üzemmód", the caption "Eredmények"
// and "Törlés".
#pragma once

#include <functional>

#include <QObject>

#include "core/model/RunControl.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace velox {
class VeloxData;
}

class ResultsStrip : public QObject {
public:
    ResultsStrip(QWidget* results, velox::VeloxData& data);

    QCheckBox* CheckBox4 = nullptr;  // "Teszt üzemmód"
    QLabel* Label7 = nullptr;        // "Eredmények"
    QPushButton* Button5 = nullptr;  // "Törlés"

    void Button5Click();
    // The question and the clear of "Törlés".
    velox::ClearOutcome ClearResults();
    void CheckBox4Click();

    // The results were cleared: both spectra show their empty axes.
    std::function<void()> ResultsCleared;
    // "Teszt üzemmód" changed: free mode when checked.
    std::function<void(bool free)> FreeModeChanged;

private:
    velox::VeloxData& Data;
};
