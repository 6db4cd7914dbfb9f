#include "ui/model/ControlHints.h"

#include <algorithm>
#include <array>

namespace velox {
namespace {

constexpr std::string_view Main = "Form1";
constexpr std::string_view Cavity = "UregAdatDlg";

constexpr std::string_view CavityMarker = "Kattints rá: a gyorsítóüreg hézagainak és elektródáinak módosítása vagy törlése";

constexpr std::array Hints{
    // Accelerator panel ("Gyorsító").
    ControlHint{Main, "Button4", "Új gyorsítóüreg hozzáadása (legfeljebb 20)"},
    ControlHint{Main, "UpDown1",
                "A rádiófrekvencia (RF) beállítása 0.5 és 1.5 között, lépésenként 0.01-dal "
                "(1 = egy periódus 2π időegység alatt)"},
    ControlHint{Main, "Edit1", "A frekvencia csúszkájának állása (0 … 100)"},
    ControlHint{Main, "Edit2",
                "A rádiófrekvencia (0.5 … 1.5; 1 = egy periódus 2π időegység alatt); "
                "a nyilakkal állítható"},
    ControlHint{Main, "UpDown2",
                "A gyorsítórés feszültségének amplitúdója 25 és 75 energiaegység között, "
                "lépésenként 0.5-del"},
    ControlHint{Main, "Edit3", "A feszültség csúszkájának állása (0 … 100)"},
    ControlHint{Main, "Edit4",
                "A gyorsítórés feszültségének amplitúdója (25 … 75 energiaegység); a nyilakkal állítható"},
    // Ion source panel ("Ionforrás").
    ControlHint{Main, "Edit13", "Az indítási ablak kezdő fázisa fokban (−360 … 360, a végső fázis alatt)"},
    ControlHint{Main, "Edit14", "Az indítási ablak végső fázisa fokban (0 … 360, a kezdő fázis fölött)"},
    ControlHint{Main, "CheckBox1",
                "Bekapcsolva egyszerre több (legfeljebb 21) részecske repül, kikapcsolva egyszerre csak egy"},
    // Simulation panel ("Szimuláció").
    ControlHint{Main, "ComboBox1", "A szimuláció sebessége: 1 a leglassabb, 5 a leggyorsabb"},
    ControlHint{Main, "Edit15", "A futás eddigi ideje (óra:perc:másodperc)"},
    ControlHint{Main, "Button2", "Egyetlen szimulációs lépés (0.05 időegység)"},
    ControlHint{Main, "Button1", "A szimuláció folytatása, illetve megállítása"},
    ControlHint{Main, "Button3", "Újraindítás elölről: az eredmények törlése (kérdés után), az idő nullázása és a futás indítása"},
    // Results panel ("Eredmények"): energy spectrum.
    ControlHint{Main, "Edit10", "Az energiaspektrum beütésszám-tengelyének teteje (egész szám, legalább 20)"},
    ControlHint{Main, "CheckBox2", "Bekapcsolva az energiaspektrum beütésszám-tengelye magától igazodik az adatokhoz"},
    ControlHint{Main, "RadioButton1", "A jelölővonalat mozgató billentyűk az energiaspektrumra hatnak"},
    ControlHint{Main, "Edit9", "Az energiaspektrum csatornaszélessége energiaegységben (legalább 0.01)"},
    ControlHint{Main, "Edit6", "Az energiaspektrum első megjelenített csatornája (Xmin, legalább 0)"},
    ControlHint{Main, "Edit5",
                "Az energiaspektrum utolsó megjelenített csatornája (Xmax, legalább Xmin + 20)"},
    // Results panel: time spectrum.
    ControlHint{Main, "Edit12", "Az időspektrum beütésszám-tengelyének teteje (egész szám, legalább 20)"},
    ControlHint{Main, "CheckBox3", "Bekapcsolva az időspektrum beütésszám-tengelye magától igazodik az adatokhoz"},
    ControlHint{Main, "RadioButton2", "A jelölővonalat mozgató billentyűk az időspektrumra hatnak"},
    ControlHint{Main, "Edit11", "Az időspektrum csatornaszélessége időegységben (legalább 0.01)"},
    ControlHint{Main, "Edit8", "Az időspektrum első megjelenített csatornája (Xmin, legalább 0)"},
    ControlHint{Main, "Edit7", "Az időspektrum utolsó megjelenített csatornája (Xmax, legalább Xmin + 20)"},
    ControlHint{Main, "Button5", "Mindkét spektrum és a számlálók törlése (megerősítés után)"},
    ControlHint{Main, "CheckBox4",
                "Kikapcsolva indul az egyperces, értékelt gyakorlat: a futás csak elölről indítható, "
                "egy perc után a program menti a fájlokat és kilép"},
    // The accelerator view.
    ControlHint{Main, "Target", "A céltárgy: vízszintesen áthúzható a nyaláb tengelye mentén"},
    ControlHint{Main, "Shape1", CavityMarker},   ControlHint{Main, "Shape2", CavityMarker},
    ControlHint{Main, "Shape3", CavityMarker},   ControlHint{Main, "Shape4", CavityMarker},
    ControlHint{Main, "Shape5", CavityMarker},   ControlHint{Main, "Shape6", CavityMarker},
    ControlHint{Main, "Shape7", CavityMarker},   ControlHint{Main, "Shape8", CavityMarker},
    ControlHint{Main, "Shape9", CavityMarker},   ControlHint{Main, "Shape10", CavityMarker},
    ControlHint{Main, "Shape11", CavityMarker},  ControlHint{Main, "Shape12", CavityMarker},
    ControlHint{Main, "Shape13", CavityMarker},  ControlHint{Main, "Shape14", CavityMarker},
    ControlHint{Main, "Shape15", CavityMarker},  ControlHint{Main, "Shape16", CavityMarker},
    ControlHint{Main, "Shape17", CavityMarker},  ControlHint{Main, "Shape18", CavityMarker},
    ControlHint{Main, "Shape19", CavityMarker},  ControlHint{Main, "Shape20", CavityMarker},
    ControlHint{Main, "Shape21", CavityMarker},
    // Menu.
    ControlHint{Main, "Feladat1", "A feladat leírásának megnyitása"},
    ControlHint{Main, "Kirs1", "A gyorsító adatainak mentése a jelenlegi fájlba (.gydat)"},
    ControlHint{Main, "Kirsmsknt1", "A gyorsító adatainak mentése új néven (.gydat)"},
    ControlHint{Main, "Betlts1", "Gyorsítóadatok betöltése fájlból (.gydat)"},
    ControlHint{Main, "Kirs2", "Az eredmények kiírása a jelenlegi fájlba (.edat)"},
    ControlHint{Main, "Kirsmsknt2", "Az eredmények kiírása új néven (.edat)"},
    ControlHint{Main, "Betlts2", "Eredmények betöltése fájlból (.edat)"},
    ControlHint{Main, "Exportls1", "A spektrumok képének és adatainak exportálása"},
    ControlHint{Main, "Vge1", "Kilépés a programból"},
    // Cavity dialog.
    ControlHint{Cavity, "Edit2", "A gyorsítóelektróda előtti hézag hossza képpontban (legalább 4)"},
    ControlHint{Cavity, "Edit1", "A gyorsítóelektróda szélessége képpontban (legalább 4)"},
    ControlHint{Cavity, "Edit3", "A földelt elektróda előtti hézag hossza képpontban (legalább 4)"},
    ControlHint{Cavity, "Edit4", "A földelt elektróda szélessége képpontban (legalább 4)"},
    ControlHint{Cavity, "Button1", "A gyorsítóüreg mindkét elektródájának törlése (megerősítés után)"},
    ControlHint{Cavity, "OKBtn", "Az új méretek elfogadása"},
    ControlHint{Cavity, "CancelBtn", "Bezárás változtatás nélkül"},
};

}  // namespace

std::span<const ControlHint> ControlHints() { return Hints; }

std::string_view ControlHintOf(std::string_view window, std::string_view control) {
    const auto it = std::find_if(Hints.begin(), Hints.end(), [&](const ControlHint& h) {
        return h.Window == window && h.Control == control;
    });
    return it == Hints.end() ? std::string_view{} : it->Text;
}

}  // namespace velox
