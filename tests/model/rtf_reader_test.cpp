// The exercise text's reader: plain text in every code page and escape, formatting, paragraphs, damaged input.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../common/TestFiles.h"
#include "editor/model/NumberText.h"
#include "ui/model/RtfReader.h"

using velox::ReadRtf;
using velox::RtfText;
using namespace std::string_literals;

namespace {

// "A: run run / A: ...", A the alignment (LCRJ), a run its flags (biu), "@size" unless 12, "#rrggbb", 'text'.
std::string Describe(const RtfText& doc) {
    std::string out;
    for (const auto& p : doc.Paragraphs) {
        out += (out.empty() ? "" : " / ") + std::string(1, "LCRJ"[static_cast<int>(p.Alignment)]) + ":";
        for (const auto& r : p.Runs) {
            std::string hex = r.Color ? "#" : "";
            for (int v : r.Color ? std::vector<int>{r.Color->Red, r.Color->Green, r.Color->Blue} : std::vector<int>{})
                hex += {"0123456789abcdef"[v >> 4], "0123456789abcdef"[v & 15]};
            out += " "s + (r.Bold ? "b" : "") + (r.Italic ? "i" : "") + (r.Underline ? "u" : "") +
                   (r.FontSize == 12.0 ? "" : "@" + velox::FormatRoundTrip(r.FontSize)) +
                   hex + "'" + r.Text + "'";
        }
    }
    return out;
}

}  // namespace

TEST(RtfReader, PlainText) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Code page 1250 from the font table's \fcharset, from \ansicpg, for raw bytes; file line ends are no text.
        {"{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman\\fcharset238 T;}}"
         "\\f0 \\'c1rv\\'edzt\\'fbr\\'f5 t\\'fck\\'f6rf\\'far\\'f3g\\'e9p \\'d5\\'db\\'c9\\'cd\\'d3\\'d6\\'da\\'dc}",
         "Árvíztűrő tükörfúrógép ŐŰÉÍÓÖÚÜ"},
        {"{\\rtf1\\ansi\\ansicpg1250 h\\'e9zag \\'f5 \\'fb \\'8a\\par}", "hézag ő ű Š"},
        {"{\\rtf1\\ansi\\ansicpg1250 \xf5\xfb\\par}", "őű"},
        {"{\\rtf1\\ansi\\ansicpg1250 Gyors\r\n\\'ed\r\nt\\'f3\\par}", "Gyorsító"},
        // 1252: explicit, from \ansi alone, with no code page, for unknown pages; holes give U+FFFD.
        {"{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93x\\'94 \\'F5\\par}", "café € “x” õ"},
        {"{\\rtf1\\ansi \\'f5\\'fb\\'81}", "õû\uFFFD"},
        {"{\\rtf1 \\'f5}", "õ"}, {"{\\rtf1\\ansi\\ansicpg936 \\'e9}", "é"},
        // Font charsets: f5 is not selected by its definition; groups restore the font, \plain the default.
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset238 Arial CE;}"
         "{\\f2\\fnil\\fcharset204 Arial Cyr;}{\\f3\\fnil\\fcharset1 Other;}{\\f4\\fnil\\cpg1250 Coded;}"
         "{\\f5{\\*\\panose 0}\\fcharset238 Late;}}\\'f5 \\f1\\'f5 \\f2\\'e0 \\f3\\'f5 \\f4\\'f5 \\f5\\'f5 "
         "\\f0{\\f1\\'fb}\\'fb \\f1\\plain\\'fb\\par}",
         "õ ő а õ ő ő űû û"},
        {"{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 B;}}\\'f5}", "ő"},
        {"{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helv;\\f1\\fcharset238 CE;}\\f1\\'f5}", "ő"},
        // \u with \uc skipping: plain bytes, \'hh, control words count one unit; a brace ends the skip.
        {"{\\rtf1 \\u337?\\u369?x}", "őűx"}, {"{\\rtf1 \\u-1279?}", "\uFB01"},
        {"{\\rtf1 \\uc0\\u337 x}", "őx"}, {"{\\rtf1\\ansicpg1250 \\uc2\\u337\\'f5\\'f5x\\u369 ab}", "őxű"},
        {"{\\rtf1 \\uc1\\u337\\emdash x}", "őx"}, {"{\\rtf1 \\u337\\~x}", "őx"}, {"{\\rtf1 \\uc3{\\u337}AB}", "őAB"},
        {"{\\rtf1 {\\uc0\\u337 A}\\u337 BC}", "őAőC"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\U0001F600"},
        {"{\\rtf1 \\u-10179?x\\u-8704?x}", "\uFFFDx\uFFFDx"},
        {"{\\rtf1 \\u70000?x\\u0?y\\u10?\\u7?z\\u9?}", "\uFFFDxyz\t"},
        {"{\\rtf1 \\u99999999999999?x\\u-99999999999?y}", "\uFFFDx\uFFFDy"},
        {"{\\rtf1 \\uc99999999999 \\u65 " + std::string(100, 'x') + "Z}", "A" + std::string(36, 'x') + "Z"},
        // Destinations that are not text; \* only counts at a group's start.
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 Normal;}}"
         "{\\*\\generator W;}{\\info{\\title T}{\\author S}}{\\header H}{\\footer F}{\\headerl L}{\\footerr R}"
         "{\\*\\unknowndestination hidden {nested} text}{\\pict\\wmetafile8\\picw10 0123456789abcdef}"
         "{\\object\\objemb{\\*\\objclass Paint}{\\objdata 01050000}}{\\pict\\bin6 }{}{\\x}"
         "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}{\\*\\bkmkstart m}Visible{\\footnote n}\\par}",
         "shownVisible"},
        {"{\\rtf1 {a\\*b}c}", "abc"},
        // Control words: unknown ones go with parameter and one space; symbols; control characters.
        {"{\\rtf1 \\foo text\\bar12 x\\baz-3 y\\qux  z\\fs20text\\foo-x}", "textxy ztext-x"},
        {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop12 x}", "x"},
        {"{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g\\:h\\|i}", "a\\b{c}d\u00A0e\u00ADf\u2011ghi"},
        {"{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}", "—–•‘’“”"},
        {"{\\rtf1 a\x01\tb\x7f" "c\0d}"s, "a\tbcd"},
        // Damaged input: reading stops at the document's end or the input's.
        {"{\\rtf1 a}}}b", "a"}, {"}}{\\rtf1 a}", "a"}, {"{\\rtf1 a\\'", "a"}, {"{\\rtf1 a\\'4", "a"},
        {"{\\rtf1 a\\'4z}", "az"}, {"{\\rtf1 a\\", "a"}, {"{\\rtf1 a\\u", "a"}, {"{\\rtf1 a\\u-", "a-"},
        {"{\\rtf1 a\\bin", "a"}, {"{\\rtf1 a\\bin999999999999 xyz}", "a"}, {"just text", "just text"},
        {"{\\rtf1 {\\colortbl;\\red99999\\green-4;}\\cf-5 a\\cf99999999999 b\\f-3 c\\ansicpg-7 \\'e9}", "abcé"},
    };
    for (const auto& [rtf, text] : cases) EXPECT_EQ(ReadRtf(rtf).PlainText(), text) << rtf;
    EXPECT_TRUE(ReadRtf("{\\rtf1 x}").HasRtfHeader);
    EXPECT_FALSE(ReadRtf("just text").HasRtfHeader);
    EXPECT_TRUE(ReadRtf("").Paragraphs.empty());
}

TEST(RtfReader, FormattingAndParagraphs) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Groups restore the format; equal formats merge into one run, across groups too.
        {"{\\rtf1 a{\\b b{\\i\\fs40 c}d}e\\par}", "L: 'a' b'b' bi@20'c' b'd' 'e'"},
        {"{\\rtf1 {\\b x}{\\b y}\\b z}", "L: b'xyz'"},
        {"{\\rtf1 \\b bold\\b0 thin\\i it\\i0\\ul under\\ul0 a\\ul b\\ulnone c\\uldb d\\b\\i\\fs17 e\\plain f}",
         "L: b'bold' 'thin' i'it' u'under' 'a' u'b' 'c' u'd' biu@8.5'e' 'f'"},
        // Colour 0 and indexes past the table are the default colour; \plain drops the colour.
        {"{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red12;}\\cf1 red\\cf2 blue\\cf3 dark"
         "\\cf0 auto\\cf9 none\\cf1\\b x\\plain y}",
         "L: #ff0000'red' #0000ff'blue' #0c0000'dark' 'autonone' b#ff0000'x' 'y'"},
        // The format at \par is the paragraph's; \pard resets it; the last paragraph needs no \par.
        {"{\\rtf1\\pard\\qc centre\\par right\\qr\\par\\pard\\qj just\\par\\pard left\\par\\par a\\line b\\tab c"
         "\\par\\qr last}",
         "C: 'centre' / R: 'right' / J: 'just' / L: 'left' / L: / L: 'a\nb\tc' / R: 'last'"},
        {"{\\rtf1 a\\\nb}", "L: 'a' / L: 'b'"},
        {"{\\rtf1 \\fs99999999999999999999999 x\\fs0 y\\fs-5 z}", "L: @1638'x' @1'yz'"},
        // Unclosed groups keep what was read; groups past the depth limit are read flat.
        {"{\\rtf1 {\\b abc", "L: b'abc'"},
        {std::string(200000, '{').append("\\b x").append(200000, '}'), "L: b'x'"},
        {std::string("{\\rtf1 ").append(1000, '{').append("\\b x").append(1000, '}').append("y\\par}"), "L: b'x' 'y'"},
    };
    for (const auto& [rtf, text] : cases) EXPECT_EQ(Describe(ReadRtf(rtf)), text) << rtf.substr(0, 80);

    const RtfText doc = ReadRtf("{\\rtf1\\li720\\fi-360\\ri100\\sb120\\sa240 x\\par\\pard y\\par"
                                "\\li99999999999 \\fi-99999999999 \\sb-7 z}");
    std::vector<std::vector<int>> spacing;
    for (const auto& p : doc.Paragraphs)
        spacing.push_back({p.LeftIndent, p.FirstLineIndent, p.RightIndent, p.SpaceBefore, p.SpaceAfter});
    EXPECT_EQ(spacing, (decltype(spacing){{720, -360, 100, 120, 240}, {0, 0, 0, 0, 0}, {31680, -31680, 0, 0, 0}}));
}

// As a word processor writes Hungarian text: code page 1250, accents as \'hh.
TEST(RtfReader, ShippedExerciseText) {
    const RtfText doc = ReadRtf(velox::testing::ReadBytes(VELOX_SOURCE_DIR "/resources/Velox.rtf"));
    ASSERT_GT(doc.Paragraphs.size(), 20u);
    const std::string text = doc.PlainText();
    for (const char* word : {"Gyorsító", "részecske", "ő", "ű", "„Gyorsítófesz: ”", "„Ido”", "„Csat.:”",
                             "„Teszt üzemmód”", "„Újraindít”", "„VELOX_2013.gydat”", "„VELOX_2013.edat”"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
    for (const char* leak : {"\\", "{", "\uFFFD", "fcharset"}) EXPECT_EQ(text.find(leak), std::string::npos) << leak;
    const auto& title = doc.Paragraphs.front();
    ASSERT_FALSE(title.Runs.empty());
    EXPECT_TRUE(title.Alignment == velox::RtfAlignment::Center && title.Runs[0].Bold && title.Runs[0].FontSize > 12.0);
}
