// One QApplication for all widget tests; they run under the offscreen
// platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/AppSetup.h"
#include "ui/qt/Fonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    velox::ui::ConfigureOffscreenScreen();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    velox::ui::SetProgramStyle();
    QApplication::setFont(velox::ui::MainFont());
    return RUN_ALL_TESTS();
}
