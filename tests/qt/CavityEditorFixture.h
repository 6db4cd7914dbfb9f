// The program's windows with helpers for the cavity dialog: cavities set
// directly, scripted dialog steps, right clicks on markers and drags of
// the target.
#pragma once

#include <array>

#include <QPushButton>
#include <QTest>

#include "WindowsFixture.h"
#include "core/model/Numeric.h"

namespace velox::testing {

using Dlg = TUregAdatDlg;

inline std::array<double, 4> Sizes(const CavitySizes& c) { return {c.AccWidth, c.AccGap, c.GroundGap, c.GroundWidth}; }

class CavityEditor : public WindowsTest {
protected:
    void SetCavities(int n) {
        form->Data.Cavities.SetCavityCount(0);
        for (int k = 0; k < n; ++k) form->Data.Cavities.Append({16.0 + k, 40.0 + k, 12.0 + k, 20.0 + k});
        form->Data.BuildCavities();
        form->View->DrawAcceleratorView();
    }
    void RightClick(TShape* marker) { QTest::mouseClick(marker, Qt::RightButton); }
    // Cavity k's marker starts under the middle of its accelerating electrode.
    int MarkerLeft(int k) const {
        const Cavity& c = form->Data.CavityList[static_cast<std::size_t>(k)];
        return TruncToInt(c.Position + static_cast<long double>(c.AccWidth) / 2) - 10;  // in the view
    }
    static ui::DialogScript::Step Press(QPushButton* Dlg::*button) {
        return On<Dlg>([button](Dlg& d) { (d.*button)->click(); });
    }
    static ui::DialogScript::Step FillAndConfirm(const CavityFieldTexts& texts) {
        return On<Dlg>([texts](Dlg& d) {
            d.SetTexts(texts);
            d.OKBtn->click();
        });
    }
    void Drag(QWidget* over, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        SendMouse(form->View->Target, QEvent::MouseButtonPress, button, QPoint(1, 1));
        SendMouse(form->View->Target, QEvent::MouseButtonRelease, button, Across(form->View->Target, over, at));
    }
};

}  // namespace velox::testing
