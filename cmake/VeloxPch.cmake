# Precompiled Qt and GoogleTest headers for the targets whose sources all
# include them: roughly a third off the compile time of the window classes
# and their tests.  -DVELOX_PCH=OFF builds without, to check that every file
# includes what it uses.
option(VELOX_PCH "Precompile the Qt and GoogleTest headers" ON)

if(VELOX_PCH)
  set(VELOX_QT_PCH_HEADERS
    <QApplication> <QWidget> <QMainWindow> <QMenuBar> <QAction> <QCheckBox> <QComboBox>
    <QLabel> <QLineEdit> <QPushButton> <QRadioButton> <QGroupBox> <QMessageBox> <QFileDialog>
    <QTimer> <QPainter> <QImage> <QPixmap> <QFont> <QFontMetrics> <QColor> <QString>)
  if(TARGET velox_qt)
    target_precompile_headers(velox_qt PRIVATE ${VELOX_QT_PCH_HEADERS})
  endif()
  if(TARGET velox_qt_tests)
    target_precompile_headers(velox_qt_tests PRIVATE ${VELOX_QT_PCH_HEADERS} <QTest> <gtest/gtest.h>)
  endif()
  if(TARGET velox_model_tests)
    target_precompile_headers(velox_model_tests PRIVATE <gtest/gtest.h> <string> <vector> <filesystem>)
  endif()
endif()
