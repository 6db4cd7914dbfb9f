#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/model/RtfReader.h"

using velox::ReadRtf;
using velox::RtfAlignment;
using velox::RtfColor;
using velox::RtfText;

namespace {

std::string Text(std::string_view rtf) { return ReadRtf(rtf).PlainText(); }

bool IsValidUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int n = 0;
        char32_t cp = 0;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) { n = 1; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { n = 2; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { n = 3; cp = c & 0x07; }
        else return false;
        for (int k = 1; k <= n; ++k) {
            if (i + k >= s.size()) return false;
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += n + 1;
    }
    return true;
}

// Paragraphs as "A: run run / A: ...", A the alignment (L, C, R, J); a run
// is its flags (b, i, u), "@size" unless 12 points, "#rrggbb" when coloured,
// then its text in quotes.
std::string Describe(const RtfText& doc) {
    std::string out;
    for (const auto& p : doc.Paragraphs) {
        if (!out.empty()) out += " / ";
        out += "LCRJ"[static_cast<int>(p.Alignment)];
        out += ':';
        for (const auto& r : p.Runs) {
            out += ' ';
            if (r.Bold) out += 'b';
            if (r.Italic) out += 'i';
            if (r.Underline) out += 'u';
            if (r.FontSize != 12.0) {
                char size[16];
                std::snprintf(size, sizeof size, "@%g", r.FontSize);
                out += size;
            }
            if (r.Color) {
                char color[8];
                std::snprintf(color, sizeof color, "#%02x%02x%02x", r.Color->Red, r.Color->Green,
                              r.Color->Blue);
                out += color;
            }
            out += "'" + r.Text + "'";
        }
    }
    return out;
}

constexpr const char* kHungarianFontTable =
    "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\froman\\fcharset238 Times New Roman;}}";

}  // namespace

TEST(RtfReader, HungarianCodePage1250) {
    const std::string rtf = std::string("{\\rtf1\\ansi\\ansicpg1250\\deff0") + kHungarianFontTable +
                            "\\f0 \\'c1rv\\'edzt\\'fbr\\'f5 t\\'fck\\'f6rf\\'far\\'f3g\\'e9p "
                            "\\'d5\\'db\\'c9\\'cd\\'d3\\'d6\\'da\\'dc\\par}";
    const RtfText doc = ReadRtf(rtf);
    EXPECT_TRUE(doc.HasRtfHeader);
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_EQ(doc.PlainText(), "Árvíztűrő tükörfúrógép ŐŰÉÍÓÖÚÜ");

    // Without a font table the document's code page decides.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1250 h\\'e9zag \\'f5 \\'fb\\par}"), "hézag ő ű");
    // Raw 8-bit bytes in the text are decoded the same way.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1250 \xf5\xfb\\par}"), "őű");
    // Line ends of the file are not text, even inside a word.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1250 Gyors\r\n\\'ed\r\nt\\'f3\\par}"), "Gyorsító");
}

TEST(RtfReader, CodePage1252AndDefaults) {
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93x\\'94 \\'F5\\par}"),
              "café € “x” õ");
    // \ansi alone means 1252; so does a document with no code page at all.
    EXPECT_EQ(Text("{\\rtf1\\ansi \\'f5\\'fb}"), "õû");
    EXPECT_EQ(Text("{\\rtf1 \\'f5}"), "õ");
    // Unknown code pages read as 1252 rather than failing.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg936 \\'e9}"), "é");
    EXPECT_EQ(velox::DecodeCodePageByte(1250, 0x8A), U'Š');
    EXPECT_EQ(velox::DecodeCodePageByte(1251, 0xC0), U'А');
    EXPECT_EQ(velox::DecodeCodePageByte(1252, 0x81), U'\uFFFD');
    EXPECT_EQ(velox::CodePageOfCharset(238), 1250);
    EXPECT_EQ(velox::CodePageOfCharset(0), 1252);
    EXPECT_EQ(velox::CodePageOfCharset(2), 0);
}

TEST(RtfReader, FontCharsetSwitchesDecoding) {
    const std::string table =
        "{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset238 Arial CE;}"
        "{\\f2\\fnil\\fcharset204 Arial Cyr;}{\\f3\\fnil\\fcharset1 Other;}"
        "{\\f4\\fnil\\cpg1250 Coded;}{\\f5{\\*\\panose 0}\\fcharset238 Late;}}";
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0" + table +
                            "\\'f5 \\f1\\'f5 \\f2\\'e0 \\f3\\'f5 \\f4\\'f5 \\f5\\'f5 "
                            "\\f0{\\f1\\'fb}\\'fb \\f1\\plain\\'fb\\par}";
    // The font defined last in the table (f5) is not selected by the table
    // itself: text before any \f uses the default font.  A nested group
    // restores the font; \plain returns to the default font.
    EXPECT_EQ(Text(rtf), "õ ő а õ ő ő űû û");

    // \deff names the default font, whichever number it has.
    EXPECT_EQ(Text("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset238 B;}}"
                   "\\'f5}"),
              "ő");
    // Old-style font table without a group per font.
    EXPECT_EQ(Text("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helv;\\f1\\fcharset238 CE;}\\f1\\'f5}"),
              "ő");
    // Font names never show as text.
    EXPECT_EQ(Text("{\\rtf1{\\fonttbl{\\f0 Arial;}}x}"), "x");
}

TEST(RtfReader, UnicodeEscapesAndFallbackSkipping) {
    // \uc1 (the default): one fallback character follows and is skipped.
    EXPECT_EQ(Text("{\\rtf1 \\u337?\\u369?x}"), "őűx");
    // A negative value stands for value + 65536.
    EXPECT_EQ(Text("{\\rtf1 \\u-1279?}"), "\uFB01");
    // \uc0: nothing to skip.
    EXPECT_EQ(Text("{\\rtf1 \\uc0\\u337 x}"), "őx");
    // \uc2: a \'hh escape counts as one unit, like a plain byte.
    EXPECT_EQ(Text("{\\rtf1\\ansicpg1250 \\uc2\\u337\\'f5\\'f5x\\u369 ab}"), "őxű");
    // A control word in the fallback counts as one unit.
    EXPECT_EQ(Text("{\\rtf1 \\uc1\\u337\\emdash x}"), "őx");
    // A brace ends the fallback early.
    EXPECT_EQ(Text("{\\rtf1 \\uc3{\\u337}AB}"), "őAB");
    // \uc belongs to the group.
    EXPECT_EQ(Text("{\\rtf1 {\\uc0\\u337 A}\\u337 BC}"), "őAőC");
    // Surrogate pairs combine; a lone half becomes U+FFFD.
    EXPECT_EQ(Text("{\\rtf1 \\u-10179?\\u-8704?}"), "\U0001F600");
    EXPECT_EQ(Text("{\\rtf1 \\u-10179?x}"), "\uFFFDx");
    EXPECT_EQ(Text("{\\rtf1 \\u-8704?x}"), "\uFFFDx");
    // Out of range, zero and control characters.
    EXPECT_EQ(Text("{\\rtf1 \\u70000?x\\u0?y\\u10?\\u7?z\\u9?}"), "\uFFFDxyz\t");
}

TEST(RtfReader, NestedGroupsRestoreFormatting) {
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1 a{\\b b{\\i\\fs40 c}d}e\\par}")),
              "L: 'a' b'b' bi@20'c' b'd' 'e'");
    // Equal formats merge into one run, across groups too.
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1 {\\b x}{\\b y}\\b z}")), "L: b'xyz'");
}

TEST(RtfReader, CharacterFormatting) {
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1 \\b bold\\b0 thin\\i it\\i0\\ul under\\ul0 a\\ul b"
                               "\\ulnone c\\uldb d\\b\\i\\fs17 e\\plain f}")),
              "L: b'bold' 'thin' i'it' u'under' 'a' u'b' 'c' u'd' biu@8.5'e' 'f'");
    // Colour table: entry 0 is the default colour; \cf0 and indexes past
    // the table give the default; \plain drops the colour.
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
                               "\\red12;}\\cf1 red\\cf2 blue\\cf3 dark\\cf0 auto\\cf9 none"
                               "\\cf1\\b x\\plain y}")),
              "L: #ff0000'red' #0000ff'blue' #0c0000'dark' 'autonone' b#ff0000'x' 'y'");
}

TEST(RtfReader, ParagraphsAlignmentAndBreaks) {
    // The format in effect at \par is the paragraph's; \pard resets it; an
    // empty paragraph stays; the last paragraph needs no \par.
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1\\pard\\qc centre\\par right\\qr\\par\\pard\\qj just\\par"
                               "\\pard left\\par\\par a\\line b\\tab c\\par\\qr last}")),
              "C: 'centre' / R: 'right' / J: 'just' / L: 'left' / L: / L: 'a\nb\tc' / R: 'last'");
    // A backslash before a line end is a paragraph mark.
    EXPECT_EQ(Describe(ReadRtf("{\\rtf1 a\\\nb}")), "L: 'a' / L: 'b'");

    const RtfText indents = ReadRtf("{\\rtf1\\li720\\fi-360\\ri100\\sb120\\sa240 x\\par\\pard y}");
    ASSERT_EQ(indents.Paragraphs.size(), 2u);
    const auto& p = indents.Paragraphs[0];
    EXPECT_EQ(std::vector<int>({p.LeftIndent, p.FirstLineIndent, p.RightIndent, p.SpaceBefore,
                                p.SpaceAfter}),
              std::vector<int>({720, -360, 100, 120, 240}));
    const auto& q = indents.Paragraphs[1];
    EXPECT_EQ(std::vector<int>({q.LeftIndent, q.FirstLineIndent, q.RightIndent, q.SpaceBefore,
                                q.SpaceAfter}),
              std::vector<int>({0, 0, 0, 0, 0}));
}

TEST(RtfReader, IgnoredDestinations) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
        "{\\stylesheet{\\s0 Normal;}{\\s1 Heading 1;}}"
        "{\\*\\generator Writer 1.0;}{\\info{\\title The title}{\\author Someone}}"
        "{\\header Head}{\\footer Foot}{\\headerl L}{\\footerr R}"
        "{\\*\\unknowndestination hidden {nested} text}"
        "{\\pict\\wmetafile8\\picw10 0123456789abcdef}"
        "{\\object\\objemb{\\*\\objclass Paint}{\\objdata 01050000}}"
        "{\\pict\\bin6 }{}{\\x}"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}"
        "{\\*\\bkmkstart mark}Visible{\\footnote note}\\par}";
    EXPECT_EQ(Text(rtf), "shownVisible");
    // \* only works at the start of a group; elsewhere it is ignored.
    EXPECT_EQ(Text("{\\rtf1 {a\\*b}c}"), "abc");
}

TEST(RtfReader, ControlWordsAndSymbols) {
    // Unknown words are skipped with their parameter and delimiting space;
    // a second space is text.
    EXPECT_EQ(Text("{\\rtf1 \\foo text\\bar12 x\\baz-3 y\\qux  z}"), "textxy z");
    // A parameter ends the word without a space.
    EXPECT_EQ(Text("{\\rtf1 \\fs20text}"), "text");
    // A "-" not followed by digits is text.
    EXPECT_EQ(Text("{\\rtf1 \\foo-x}"), "-x");
    // Very long words are ignored as unknown.
    EXPECT_EQ(Text("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnop12 x}"), "x");
    EXPECT_EQ(Text("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\_g\\:h\\|i}"), "a\\b{c}d\u00A0e\u00ADf\u2011ghi");
    EXPECT_EQ(Text("{\\rtf1 \\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}"),
              "—–•‘’“”");
    // Control characters other than tab are not text.
    EXPECT_EQ(Text(std::string("{\\rtf1 a\x01\tb\x7f") + "c}"), "a\tbc");
}

TEST(RtfReader, DamagedInputTerminates) {
    // Unclosed groups: the text read so far is kept.
    const RtfText open = ReadRtf("{\\rtf1 {\\b abc");
    ASSERT_EQ(open.Paragraphs.size(), 1u);
    EXPECT_EQ(open.Paragraphs[0].Runs[0].Text, "abc");
    EXPECT_TRUE(open.Paragraphs[0].Runs[0].Bold);
    // Reading stops where the document's group closes.
    EXPECT_EQ(Text("{\\rtf1 a}}}b"), "a");
    EXPECT_EQ(Text("}}{\\rtf1 a}"), "a");
    // Truncated escapes.
    EXPECT_EQ(Text("{\\rtf1 a\\'"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\'4z}"), "az");
    EXPECT_EQ(Text("{\\rtf1 a\\"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\u"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\u-"), "a-");
    EXPECT_EQ(Text("{\\rtf1 a\\bin"), "a");
    EXPECT_EQ(Text("{\\rtf1 a\\bin999999999999 xyz}"), "a");
    // Not RTF at all.
    const RtfText plain = ReadRtf("just text");
    EXPECT_FALSE(plain.HasRtfHeader);
    EXPECT_EQ(plain.PlainText(), "just text");
    EXPECT_TRUE(ReadRtf("").Paragraphs.empty());
    EXPECT_EQ(Text(std::string("{\\rtf1 a\0b}", 11)), "ab");
}

TEST(RtfReader, HugeParametersAreCapped) {
    const RtfText big = ReadRtf("{\\rtf1 \\fs99999999999999999999999 x\\fs0 y\\fs-5 z}");
    ASSERT_EQ(big.Paragraphs[0].Runs.size(), 2u);
    EXPECT_EQ(big.Paragraphs[0].Runs[0].FontSize, 1638.0);
    EXPECT_EQ(big.Paragraphs[0].Runs[1].FontSize, 1.0);
    EXPECT_EQ(big.Paragraphs[0].Runs[1].Text, "yz");
    EXPECT_EQ(Text("{\\rtf1 \\u99999999999999?x\\u-99999999999?y}"), "\uFFFDx\uFFFDy");
    // The fallback count is capped at 64.
    const std::string xs(100, 'x');
    EXPECT_EQ(Text("{\\rtf1 \\uc99999999999 \\u65 " + xs + "Z}"), "A" + std::string(36, 'x') + "Z");
    EXPECT_EQ(Text("{\\rtf1 \\li99999999999 \\fi-99999999999 \\sb-7 x}"), "x");
    const RtfText ind = ReadRtf("{\\rtf1 \\li99999999999 \\fi-99999999999 \\sb-7 x}");
    EXPECT_EQ(ind.Paragraphs[0].LeftIndent, 31680);
    EXPECT_EQ(ind.Paragraphs[0].FirstLineIndent, -31680);
    EXPECT_EQ(ind.Paragraphs[0].SpaceBefore, 0);
    EXPECT_EQ(Text("{\\rtf1 {\\colortbl;\\red99999\\green-4;}\\cf-5 a\\cf99999999999 b\\f-3 c"
                   "\\ansicpg-7 \\'e9}"),
              "abcé");
}

TEST(RtfReader, DeepNestingIsReadFlat) {
    const int n = 200000;
    const std::string deep = std::string(n, '{') + "\\b x" + std::string(n, '}');
    const RtfText doc = ReadRtf(deep);
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    EXPECT_EQ(doc.Paragraphs[0].Runs[0].Text, "x");
    EXPECT_TRUE(doc.Paragraphs[0].Runs[0].Bold);

    // Groups past the limit do not upset the restoring of formats.
    const std::string rtf = "{\\rtf1 " + std::string(1000, '{') + "\\b x" +
                            std::string(1000, '}') + "y\\par}";
    const RtfText flat = ReadRtf(rtf);
    ASSERT_EQ(flat.Paragraphs.size(), 1u);
    ASSERT_EQ(flat.Paragraphs[0].Runs.size(), 2u);
    EXPECT_TRUE(flat.Paragraphs[0].Runs[0].Bold);
    EXPECT_FALSE(flat.Paragraphs[0].Runs[1].Bold);
    EXPECT_EQ(flat.Paragraphs[0].Runs[1].Text, "y");
}

TEST(RtfReader, RandomInputGivesValidText) {
    // RTF-ish noise: whatever comes in, the text that comes out is UTF-8.
    const std::string alphabet = "{}\\'uc0123456789-abfiqlrpd;? \r\n\xf5\xe9\x80\xff";
    std::uint32_t seed = 12345;
    auto next = [&seed] { seed = seed * 1664525u + 1013904223u; return seed >> 8; };
    for (int round = 0; round < 3000; ++round) {
        std::string input = "{\\rtf1\\ansicpg1250{\\fonttbl{\\f1\\fcharset204 C;}}";
        const std::size_t len = next() % 200;
        for (std::size_t k = 0; k < len; ++k) input += alphabet[next() % alphabet.size()];
        const RtfText doc = ReadRtf(input);
        for (const auto& p : doc.Paragraphs) {
            for (const auto& r : p.Runs) {
                ASSERT_TRUE(IsValidUtf8(r.Text)) << input;
                ASSERT_FALSE(r.Text.empty()) << input;
                ASSERT_GE(r.FontSize, 1.0);
            }
        }
    }
}

TEST(RtfReader, ShippedExerciseText) {
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                      "resources" / "Velox.rtf";
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Written as a word processor writes Hungarian text: 7-bit file, code
    // page 1250, accented letters as \'hh escapes.
    EXPECT_EQ(bytes.rfind("{\\rtf1\\ansi\\ansicpg1250\\deff0", 0), 0u);
    EXPECT_NE(bytes.find("\\fcharset238"), std::string::npos);
    EXPECT_NE(bytes.find("\\'f5"), std::string::npos);
    for (char c : bytes) ASSERT_LT(static_cast<unsigned char>(c), 0x80);

    const RtfText doc = ReadRtf(bytes);
    EXPECT_TRUE(doc.HasRtfHeader);
    ASSERT_GT(doc.Paragraphs.size(), 20u);
    const std::string text = doc.PlainText();
    EXPECT_TRUE(IsValidUtf8(text));
    for (const char* word :
         {"Gyorsító", "Újraindít", "részecske", "hézag", "ő", "ű", "gyorsítóüreg",
          "„Új gyorsítóüreg”", "„Gyorsítóüreg”", "„Frekvencia:”", "„Gyorsítófesz: ”",
          "„Ionforrás”", "„Kezdő”", "„Végső”", "„Több részecske”", "„Sebesség”",
          "„Egy lépés”", "„Folytatás”", "„Stop”", "„Energia”", "„Ido”", "„Ymax”",
          "„Auto”", "„Csat.:”", "„Xmin”", "„Xmax”", "„Törlés”", "„Gyorsító adatai”",
          "„Eredmények”", "„Mentés”", "„Mentés másként”", "„Betöltés”", "„Kiírás”",
          "„Kiírás másként”", "„Teszt üzemmód”", "„VELOX_2013.gydat”",
          "„VELOX_2013.edat”", "Alt"}) {
        EXPECT_NE(text.find(word), std::string::npos) << word;
    }
    // No markup leaks into the text, and every byte was understood.
    EXPECT_EQ(text.find('\\'), std::string::npos);
    EXPECT_EQ(text.find('{'), std::string::npos);
    EXPECT_EQ(text.find("\uFFFD"), std::string::npos);
    EXPECT_EQ(text.find("fcharset"), std::string::npos);
    // The title is bold and centred.
    const auto& title = doc.Paragraphs.front();
    EXPECT_EQ(title.Alignment, RtfAlignment::Center);
    ASSERT_FALSE(title.Runs.empty());
    EXPECT_TRUE(title.Runs[0].Bold);
    EXPECT_GT(title.Runs[0].FontSize, 12.0);
}
