// Editing the accelerator in the view: "Új gyorsítóüreg", the cavity
// markers that open the cavity dialog, and moving the target by dragging
// it.  Also binds the menu commands and the window's own closing keys.
//
// The markers drag as shapes of this window do: a left press starts a drag
// at once, with no movement threshold; while the button is held the cursor
// tells whether the place under it accepts the dragged shape; the release
// drops it there or, where it is refused, ends the drag without effect.
// Only the target is accepted anywhere, so a cavity marker never moves and
// its left release never reaches Shape1MouseUp.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

#include "core/qt/Main.h"
#include "editor/model/CavityFields.h"
#include "editor/qt/Uregadat.h"
#include "ui/qt/ModalDialogs.h"

using velox::ui::TShape;

void TForm1::BindEditorHandlers() {
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });

    const auto press = [this](TShape& s, QMouseEvent& e) {
        if (e.button() == Qt::LeftButton) DragStart(s, e.globalPosition().toPoint());
    };
    const auto move = [this](TShape&, QMouseEvent& e) {
        if (dragSource_) DragMove(e.globalPosition().toPoint());
    };
    for (TShape* marker : CavityMarkerShapes) {
        marker->OnMouseDown = press;
        marker->OnMouseMove = move;
        marker->OnMouseUp = [this](TShape& s, QMouseEvent& e) {
            if (dragSource_) {
                if (e.button() == Qt::LeftButton) DragEnd(e.globalPosition().toPoint());
                return;
            }
            Shape1MouseUp(s, e);
        };
    }
    Target->OnMouseDown = press;
    Target->OnMouseMove = move;
    Target->OnMouseUp = [this](TShape&, QMouseEvent& e) {
        if (dragSource_ && e.button() == Qt::LeftButton) DragEnd(e.globalPosition().toPoint());
    };

    connect(Feladat1, &QAction::triggered, this, [this] { Feladat1Click(); });
    connect(Kirs1, &QAction::triggered, this, [this] { Kirs1Click(); });
    connect(Kirsmsknt1, &QAction::triggered, this, [this] { Kirsmsknt1Click(); });
    connect(Betlts1, &QAction::triggered, this, [this] { Betlts1Click(); });
    connect(Kirs2, &QAction::triggered, this, [this] { Kirs2Click(); });
    connect(Kirsmsknt2, &QAction::triggered, this, [this] { Kirsmsknt2Click(); });
    connect(Betlts2, &QAction::triggered, this, [this] { Betlts2Click(); });
    connect(Vge1, &QAction::triggered, this, [this] { Vge1Click(); });
    // The keyboard's way of closing a window, also where no window manager
    // provides it; it asks the quit confirmation like every other way.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, [this] { close(); });
}

TUregAdatDlg& TForm1::CavityDialog() {
    if (!UregAdatDlg) UregAdatDlg = new TUregAdatDlg(this);
    return *UregAdatDlg;
}

// "Új gyorsítóüreg": the dialog with whatever its fields hold; the limit is
// tested only once the dialog has been confirmed.
void TForm1::Button4Click() {
    TUregAdatDlg& dialog = CavityDialog();
    if (velox::ui::ShowModal(dialog) != velox::ui::mrOk) return;
    if (Data.Cavities.CavityCount() >= velox::MaxEditorCavities) {
        velox::ui::Prompts().Inform(QStringLiteral("Nem lehet ilyen sok gyorsítóelektródot alkalmazni!"),
                                    QStringLiteral("*** TÁJÉKOZTATÁS ***"));
        return;
    }
    const auto sizes = velox::CavitySizesOf(dialog.Texts());
    if (!sizes) return;  // the dialog closes with OK only on four accepted fields
    Data.Cavities.Append(*sizes);
    Data.BuildCavities();
    DrawAcceleratorView();
    UpdateControlStates();
    RefreshNumberFields();
}

// Edits or deletes the cavity whose marker received the release.  The
// simulation goes on while the dialog is open; the new sizes take effect
// when it has closed.
void TForm1::Shape1MouseUp(TShape& sender, QMouseEvent&) {
    const int i = sender.Tag();
    if (i < 0 || i >= Data.Cavities.CavityCount()) return;
    TUregAdatDlg& dialog = CavityDialog();
    dialog.SetTexts(velox::CavityFieldTextsOf(Data.Cavities[static_cast<std::size_t>(i)]));
    const int result = velox::ui::ShowModal(dialog);
    bool removed = false;
    if (i < Data.Cavities.CavityCount()) {
        if (result == velox::ui::mrOk) {
            if (const auto sizes = velox::CavitySizesOf(dialog.Texts()))
                Data.Cavities[static_cast<std::size_t>(i)] = *sizes;
        } else if (result == velox::ui::mrAbort && dialog.DeleteConfirmed) {
            Data.Cavities.Remove(i);
            removed = true;
        }
    }
    Data.BuildCavities();
    DrawAcceleratorView();
    // Like an add, a delete can change whether there is anything to run;
    // without it the last delete would leave the run controls as they were.
    if (removed) UpdateControlStates();
}

namespace {

bool IsTargetShape(const QObject* o) {
    const auto* shape = dynamic_cast<const TShape*>(o);
    return shape && shape->Tag() == velox::DefaultMarkerLooks.TargetTag;
}

}  // namespace

bool TForm1::Image1DragOver(QObject* source, int, int) { return IsTargetShape(source); }

bool TForm1::Shape1DragOver(QObject* sender, QObject* source) {
    return dynamic_cast<TShape*>(sender) && IsTargetShape(source);
}

// The target lands on the axis, its middle column at the drop column,
// wherever across the view that is.
void TForm1::Image1DragDrop(QObject* source, int x, int) {
    if (!IsTargetShape(source)) return;
    const velox::ShapeState& marker = Data.TargetMarker;
    Data.TargetMarker.Top = Image1->y() + Data.AxisY - marker.Height / 2;
    Data.SetTargetLeft(Image1->x() + x - marker.Width / 2);
    DrawAcceleratorView();
}

bool TForm1::DragAccepted(const QPoint& globalPos, QWidget** over) {
    QWidget* w = Client->childAt(Client->mapFromGlobal(globalPos));
    if (over) *over = w;
    if (!w || !dragSource_) return false;
    if (w == Image1) {
        const QPoint p = Image1->mapFromGlobal(globalPos);
        return Image1DragOver(dragSource_, p.x(), p.y());
    }
    if (w == Target) return Shape1DragOver(w, dragSource_);
    return false;
}

void TForm1::DragStart(TShape& source, const QPoint& globalPos) {
    DragCancel();
    dragSource_ = &source;
    QApplication::setOverrideCursor(DragAccepted(globalPos) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    dragCursor_ = true;
}

void TForm1::DragMove(const QPoint& globalPos) {
    if (!dragCursor_) return;
    QApplication::changeOverrideCursor(DragAccepted(globalPos) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

// A drop on the target itself leaves it where it was; a refused place ends
// the drag without effect.
void TForm1::DragEnd(const QPoint& globalPos) {
    QWidget* over = nullptr;
    const bool accepted = DragAccepted(globalPos, &over);
    TShape* source = dragSource_;
    DragCancel();
    if (accepted && over == Image1) {
        const QPoint p = Image1->mapFromGlobal(globalPos);
        Image1DragDrop(source, p.x(), p.y());
    }
}

// A drag that lost its release (a window opened over the main window while
// the button was held) ends without effect.
void TForm1::DragCancel() {
    dragSource_ = nullptr;
    if (dragCursor_) {
        QApplication::restoreOverrideCursor();
        dragCursor_ = false;
    }
}
