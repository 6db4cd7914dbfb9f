// The foot of the results panel: "Teszt üzemmód", the caption "Eredmények"
// and "Törlés".
#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QPushButton;
class QWidget;

namespace velox::app {
class Window;
}

class ResultsStrip : public QObject {
public:
    ResultsStrip(QWidget* results, const velox::app::Window& app);

    QCheckBox* CheckBox4 = nullptr;  // "Teszt üzemmód"
    QLabel* Label7 = nullptr;        // "Eredmények"
    QPushButton* Button5 = nullptr;  // "Törlés"
};
