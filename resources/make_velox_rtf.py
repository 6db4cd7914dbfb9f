#!/usr/bin/env python3
"""Writes the exercise text Velox.rtf next to this script.

The text below is the source; the RTF is written the way a word processor
saves Hungarian text: a 7-bit file with code page 1250, a font table with
\\fcharset238, a colour table, and every accented letter as a \\'hh escape
(characters outside code page 1250 as \\uN with a "?" fallback).  Lines end
in CR LF.

Markup of the blocks: ("title"|"subtitle"|"h1"|"h2"|"p"|"pb"|"li"|"num", text);
inside a text, **...** is bold.

Run: python3 resources/make_velox_rtf.py
"""

import os
import re

BLOCKS = [
    ("title", "VELOX – lineáris gyorsító szimulációja"),
    ("subtitle", "Feladatleírás és kezelési útmutató"),

    ("h1", "1. A gyorsító felépítése"),
    ("p", "A program egy csőelektródás lineáris gyorsítót modellez. Az ablak bal "
          "felső részén a gyorsító oldalnézete látható. A nyalábtengely bal végén "
          "egy kis kör jelöli az ionforrást: innen indulnak a részecskék, "
          "nyugalomból. Az ionforrás után a gyorsítóüregek sorakoznak, szorosan "
          "egymás mögött."),
    ("p", "Egy gyorsítóüreg a tengely mentén, balról jobbra haladva négy "
          "szakaszból áll:"),
    ("li", "egy hézag (az ionforrás, illetve az előző üreg földelt elektródája után);"),
    ("li", "a gyorsító elektróda (kék cső), amelyre a rádiófrekvenciás (RF) "
           "generátor váltakozó feszültsége jut;"),
    ("li", "egy második hézag;"),
    ("li", "a földpotenciálon lévő elektróda (fekete cső)."),
    ("p", "Erő csak a hézagokban hat a részecskére: a térerősség ott a pillanatnyi "
          "RF-feszültség és a hézag hosszának hányadosa. A csövek belsejében nincs "
          "tér, ott a részecske állandó sebességgel repül tovább (ilyenkor a jele "
          "világoskék). Ha a részecske U feszültség mellett halad át egy hézagon, "
          "az energiája U-val nő – ha viszont a tér éppen ellenkező irányú, "
          "lassul, sőt vissza is fordulhat. Az ionforrás mögé visszasodródó "
          "részecske elvész."),
    ("p", "A tengely jobb oldalán áll a céltárgy: felülről a tengelyig érő kék rúd, "
          "a végén kis kék jellel. Amelyik részecske eléri, annak energiáját és a "
          "rezgési perióduson belüli érkezési idejét a program feljegyzi. A repülő "
          "részecskék fekete pontok; közülük a legnagyobb energiájú piros."),
    ("p", "Az oldalnézet alatt a „Potenciál (U)” feliratú potenciáldiagram a "
          "tengely menti pillanatnyi potenciált mutatja: a gyorsító elektródák "
          "mentén a generátor pillanatnyi U feszültségét, a földelt elektródák "
          "mentén nullát, a hézagokban pedig egyenletes átmenetet a kettő között. "
          "A diagram minden lépésben frissül, így jól követhető, hogyan váltja "
          "előjelét a feszültség az elektródákon."),

    ("h1", "2. A kezelőszervek"),
    ("h2", "A gyorsító szerkesztése"),
    ("li", "**„Új gyorsítóüreg”**: megnyitja a „Gyorsítóüreg” ablakot. A felső "
           "csoportban a gyorsító elektróda előtti hézag és az elektróda "
           "szélessége, az alsóban a földpotenciálon lévő elektróda előtti hézag "
           "és az elektróda szélessége adható meg, képpontban. Csak legalább 4 "
           "értékű egész szám fogadható el; hibás adatnál az ablak nyitva marad, "
           "és a hibás mező kijelölődik. OK után az új üreg a sor végére kerül. "
           "Legfeljebb 20 üreg lehet: ha már ennyi van, a program OK után "
           "figyelmeztet, és nem vesz fel újat."),
    ("li", "Meglévő üreg módosítása: minden gyorsító elektróda kivezetésén egy "
           "sárga kör ül (a kilencedik üregé ezüstszínű). Ha a kör fölött a "
           "**jobb** egérgombot felengeded, megnyílik a „Gyorsítóüreg” ablak az "
           "üreg adataival. OK-val az új méretek lépnek életbe, a „Cancel” "
           "gombbal semmi sem változik, a „Töröld  mindkét elektródát” gombbal "
           "pedig – megerősítés után – az üreg törlődik, és a mögötte levők "
           "előrébb kerülnek. A bal egérgombbal a kör nem mozdítható el."),
    ("li", "A céltárgy áthelyezése: fogd meg a céltárgy kék jelét a **bal** "
           "egérgombbal, és húzd a kívánt helyre. Elengedéskor a céltárgy a "
           "tengelyre kerül, abba az oszlopba, ahol elengedted."),
    ("p", "A meglévő üregeket és a céltárgyat futás közben is módosíthatod, az "
          "új méretek az ablak bezárása után a repülő részecskékre is azonnal "
          "hatnak. Új üreget csak megállított futásnál adhatsz hozzá."),

    ("h2", "Az RF-generátor („Gyorsító” panel)"),
    ("li", "**„Frekvencia:”** – a léptetőnyilakkal 0.5 és 1.5 között, 0.01-os "
           "lépésekben állítható. Az 1-es értéknél egy rezgési periódus 2π "
           "időegység, ez körülbelül 126 szimulációs lépés."),
    ("li", "**„Gyorsítófesz: ”** – a feszültség amplitúdója, 25 és 75 között, "
           "0.5-ös lépésekben."),
    ("li", "Az „Aktuális állapot” csoportban a „Feszültség =” és a „Fázis =” sor "
           "a generátor pillanatnyi feszültségét és fázisát (fokban) mutatja."),

    ("h2", "„Ionforrás”"),
    ("p", "A kis ábra egy rezgési periódust mutat szinuszgörbeként; a világoskék "
          "sáv a részecskebelövés ablaka, a mozgó függőleges vonal a pillanatnyi "
          "fázis. Részecske csak akkor indul, ha a fázis a sávba esik."),
    ("li", "**„Kezdő”** és **„Végső”**: a belövési ablak eleje és vége fokban, "
           "egész számmal. A kezdő érték -360 és 360, a végső 0 és 360 közé "
           "essen, és a kezdő legyen a kisebb. Negatív kezdő érték a periódus "
           "végén átnyúló ablakot ad: -30 és 30 például a 330° fölötti és a 30° "
           "alatti fázisokat jelenti. Az értéket az Enter vagy a mező elhagyása "
           "érvényesíti; hibás értéknél a mező kijelölve marad. Futás közben a "
           "két mező nem szerkeszthető."),
    ("li", "**„Több részecske”**: bekapcsolva egyszerre legfeljebb 21 részecske "
           "repülhet; amíg a fázis a belövési ablakban van, minden szabad hely "
           "lépésenként 5% eséllyel új részecskét kap. Kikapcsolva egyszerre csak "
           "egy részecske repül."),

    ("h2", "„Szimuláció”"),
    ("li", "**„Sebesség”**: 1-től 5-ig, az 5 a leggyorsabb. A sebesség csak a "
           "futás ütemét változtatja meg, a fizikát nem."),
    ("li", "**„Egy lépés”**: megállított futásnál (teszt üzemmódban) egyetlen "
           "lépést hajt végre; így jól látszik, mi történik a részecskékkel a "
           "hézagokban."),
    ("li", "**„Folytatás”** / **„Stop”**: elindítja, illetve megállítja a futást. "
           "Folytatáskor egy részecske azonnal elindul az ionforrásból."),
    ("li", "**„Újraindít”**: elölről kezdi a futást. Ha vannak eredmények, "
           "megkérdezi, törölje-e őket, majd eltávolítja a repülő részecskéket, "
           "és nullázza az „Idő:” mezőben látható futási időt."),
    ("p", "A „Tájékoztató adatok” panelen a „Beérkező részecske” csoport az "
          "utoljára beérkezett részecske energiáját (E) és érkezési idejét (t) "
          "mutatja, az „Általános adatok” csoport pedig a repülő részecskék "
          "legnagyobb energiáját („Emax =”), valamint az indított és a beérkezett "
          "részecskék számát."),

    ("h2", "„Eredmények”"),
    ("p", "A jobb oldali panelen két hisztogram látható: felül az energiaspektrum "
          "(„Energia”), alul az időspektrum („Ido”). Ezek megmutatják, hogy a "
          "céltárgyba érkezett részecskék milyen energiával, illetve a periódus "
          "melyik pillanatában érkeztek. A grafikon jobb felső sarkában a "
          "darabszám, az átlag és a szórás olvasható."),
    ("li", "**„Ymax”**: a függőleges tengely felső határa (legalább 20). Ha az "
           "**„Auto”** be van jelölve, a program maga választja meg."),
    ("li", "**„Csat.:”**: a csatornaszélesség (legalább 0.01). Megváltoztatásakor "
           "a hisztogram az összes eddigi adatból újra felépül."),
    ("li", "**„Xmin”**, **„Xmax”**: az első és az utolsó megjelenített csatorna; "
           "a tartomány legalább 20 csatornányi."),
    ("li", "A sárga jelölővonalat az **Alt + jobbra/balra nyíl** csatornánként "
           "mozgatja azon a grafikonon, amelyiket az „Energia”, illetve az „Ido” "
           "választógomb kijelöl. Az „X=” és az „Y=” a jelölt csatornát és a "
           "tartalmát adja meg."),
    ("li", "**Jobb kattintás a grafikonon**: kis ablak nyílik a beérkezett "
           "részecskék számával, átlagával és szórásával; bármelyik egérgombbal "
           "rákattintva eltűnik."),
    ("li", "**„Törlés”**: megerősítés után törli mindkét spektrumot és a "
           "számlálókat."),
    ("li", "**„Teszt üzemmód”**: bejelölve szabadon kísérletezhetsz. Ha "
           "kikapcsolod, a futás megáll, és csak az „Újraindít” gombbal indítható "
           "újra: ez az időre menő mérés (lásd a 3. részt)."),

    ("h2", "Menük"),
    ("li", "**„Gyorsító adatai”**: a **„Mentés”** a gyorsító beállításait (üregek, "
           "a céltárgy helye, frekvencia, feszültség, részecskemód, belövési "
           "fázisok) a legutóbb használt .gydat fájlba írja, a **„Mentés "
           "másként”** új fájlnevet kér, a **„Betöltés”** egy korábban mentett "
           "beállítást tölt vissza."),
    ("li", "**„Eredmények”**: a **„Kiírás”** és a **„Kiírás másként”** a mért "
           "adatokat és a spektrumok beállításait .edat fájlba menti, a "
           "**„Betöltés”** visszatölti őket."),
    ("li", "**„Feladat”**: ezt a leírást nyitja meg. **„Vége”**: kilépés a "
           "programból; előtte a program megkérdezi, elmentetted-e az "
           "eredményeket."),

    ("h1", "3. A feladat"),
    ("pb", "Állítsd be úgy a gyorsítót, hogy egy perc alatt minél több részecske "
           "érje el a céltárgyat, és a beérkezők energiája minél nagyobb legyen!"),
    ("num", "„Teszt üzemmód”-ban, egyetlen részecskével („Több részecske” "
            "kikapcsolva) és az „Egy lépés” gombbal figyeld meg, mikor gyorsul és "
            "mikor lassul a részecske a hézagokban. Gondold végig: a gyorsító "
            "elektróda két oldalán levő hézagban a tér mindig ellentétes irányú, "
            "ezért a részecskének nagyjából fél periódus alatt kell átjutnia a "
            "csövön ahhoz, hogy mindkét hézagban gyorsuljon."),
    ("num", "Mivel a részecske egyre gyorsabb, a későbbi elektródáknak "
            "hosszabbaknak kell lenniük. Vegyél fel új üregeket az „Új "
            "gyorsítóüreg” gombbal, és igazítsd a méreteiket (jobb gomb a sárga "
            "körön)."),
    ("num", "Válaszd meg a belövés fázisablakát („Kezdő”, „Végső”): ha túl széles, "
            "sok részecske rossz fázisban ér a hézagokhoz és lelassul; ha túl "
            "keskeny, kevés részecske indul."),
    ("num", "Hangold finomra a „Frekvencia:” és a „Gyorsítófesz: ” értékét, és "
            "helyezd a céltárgyat az utolsó földelt elektróda mögé."),
    ("num", "Kapcsold be a „Több részecske” módot, futtasd a gyorsítót, és az "
            "„Energia” spektrumon ellenőrizd az eredményt (darabszám, átlag). Ha "
            "elégedett vagy, mentsd a beállítást a „Gyorsító adatai” menü „Mentés "
            "másként” parancsával."),
    ("num", "Az éles méréshez kapcsold ki a „Teszt üzemmód” jelölőnégyzetet, majd "
            "indíts az „Újraindít” gombbal (a régi eredmények törlésére felelj "
            "igennel). Mérés közben a generátor, a belövési fázisok és az „Új "
            "gyorsítóüreg” gomb le van tiltva."),
    ("p", "Egy perc futási idő után a program magától megáll, a munkakönyvtárba "
          "kiírja a gyorsító adatait a „VELOX_2013.gydat”, az eredményeket a "
          "„VELOX_2013.edat” fájlba, jelzi, hogy „Az adatok kiírásra kerültek”, és "
          "befejeződik. Ha valamelyik fájl nem írható, a program ezt jelzi, és "
          "nyitva marad: ilyenkor mentsd az adatokat a menüből."),
    ("pb", "Értékelés: az az eredmény a jobb, amelyben több részecske érkezett be, "
           "és nagyobb az energiaspektrum átlaga. Sok sikert!"),
]

HEADER = (
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038"
    "{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset238 Arial;}"
    "{\\f1\\froman\\fprq2\\fcharset238 Times New Roman;}}\r\n"
    "{\\colortbl ;\\red136\\green34\\blue0;\\red0\\green64\\blue128;\\red0\\green0\\blue0;}\r\n"
    "{\\info{\\title Velox feladat}}\r\n"
    "\\viewkind4\\uc1\r\n"
)

PARAGRAPH = {
    "title": "\\pard\\qc\\sa120\\plain\\f0\\fs36\\cf1\\b ",
    "subtitle": "\\pard\\qc\\sa360\\plain\\f0\\fs24\\cf1\\i ",
    "h1": "\\pard\\sb240\\sa120\\plain\\f0\\fs28\\cf2\\b ",
    "h2": "\\pard\\sb160\\sa80\\plain\\f0\\fs24\\cf2\\b ",
    "p": "\\pard\\qj\\sa120\\plain\\f0\\fs20 ",
    "pb": "\\pard\\qj\\sb60\\sa120\\plain\\f0\\fs20\\b ",
    "li": "\\pard\\qj\\fi-284\\li568\\sa80\\plain\\f0\\fs20 \\'95\\tab ",
    "num": "\\pard\\qj\\fi-284\\li568\\sa80\\plain\\f0\\fs20 {n}.\\tab ",
}


def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif " " <= ch <= "~":
            out.append(ch)
        else:
            try:
                b = ch.encode("cp1250")
                out.append("".join("\\'%02x" % x for x in b))
            except UnicodeEncodeError:
                n = ord(ch)
                out.append("\\u%d?" % (n - 65536 if n > 32767 else n))
    return "".join(out)


def inline(text):
    # **bold** becomes a group; the rest is escaped.
    parts = re.split(r"\*\*(.+?)\*\*", text)
    out = []
    for i, part in enumerate(parts):
        out.append("{\\b " + escape(part) + "}" if i % 2 else escape(part))
    return "".join(out)


def main():
    lines = [HEADER]
    number = 0
    for kind, text in BLOCKS:
        number = number + 1 if kind == "num" else 0
        lead = PARAGRAPH[kind].replace("{n}", str(number))
        lines.append(lead + inline(text) + "\\par\r\n")
    lines.append("}\r\n")
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "Velox.rtf")
    with open(path, "wb") as f:
        f.write("".join(lines).encode("ascii"))


if __name__ == "__main__":
    main()
