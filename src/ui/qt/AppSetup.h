// What the program sets up on its QApplication before the first window: the
// application icon and Qt's own Hungarian texts for the standard dialogs.
#pragma once

#include <QIcon>
#include <QString>

class QCoreApplication;
class QTranslator;

namespace velox::ui {

// The program's icon (a row of drift tubes with a beam) in every size it is
// drawn in, from the resources compiled into the program.
QIcon ApplicationIcon();

// Qt's folder of translations (qtbase_hu.qm and the like).
QString StandardTranslationsFolder();

// Installs Qt's Hungarian translation of its standard dialogs (the Yes/No
// buttons of the message boxes, the file dialogs' buttons and labels) from
// `folder`, owned by `app`.  Returns the translator, or nullptr when the
// translation is not there; the texts then stay untranslated.  Captions the
// program sets itself are not touched.
QTranslator* InstallStandardTranslation(QCoreApplication& app,
                                        const QString& folder = StandardTranslationsFolder());

// The program's style (Fusion) on the application, with its check boxes'
// and radio buttons' marks as large as the zoom of the window they are in.
void SetProgramStyle();

// Under the offscreen platform without a screen configuration of its own,
// gives it one screen of `width` × `height` pixels at 96 dpi (Qt's own is
// 800 × 600, too small for the window at 100 %).  VELOX_SCREEN=WIDTHxHEIGHT
// in the environment chooses another size.  Call before the QApplication.
void ConfigureOffscreenScreen(int width = 1280, int height = 800);

}  // namespace velox::ui
