#include "ui/model/RtfReader.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

namespace velox {

namespace {

// Upper halves (0x80 ... 0xFF) of the Windows code pages.
constexpr char16_t kCp1250[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr char16_t kCp1251[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char16_t kCp1252[128] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kDefaultHalfPoints = 24;   // 12 points
constexpr int kMaxHalfPoints = 3276;     // 1638 points
constexpr int kMaxUnicodeSkip = 64;
constexpr int kMaxTwips = 31680;         // 22 inches
constexpr std::size_t kMaxWordLength = 32;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

long Clamp(long v, long lo, long hi) { return std::min(std::max(v, lo), hi); }

enum class Destination : std::uint8_t { Text, FontTable, ColorTable, Skip };

// Control words the reader acts on.
enum class Word {
    SkipDestination, FontTable, ColorTable,
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, Font, FontCharset, FontCodePage,
    Red, Green, Blue,
    Par, Line, Tab, Cell,
    Bold, Italic, Underline, UnderlineNone, Plain, Pard, FontSize, ColorFore,
    AlignLeft, AlignCenter, AlignRight, AlignJustify,
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    Unicode, UnicodeSkip, Binary,
    Symbol,   // a word that stands for one character
};

struct WordInfo {
    Word Kind;
    char32_t Character = 0;   // for Word::Symbol
};

const std::unordered_map<std::string_view, WordInfo>& WordTable() {
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        // Groups whose content is not part of the visible text.
        for (std::string_view w :
             {"stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf",
              "footer", "footerl", "footerr", "footerf", "object", "objdata", "objclass",
              "fldinst", "footnote", "annotation", "atnid", "atnauthor", "atnref",
              "atndate", "xe", "tc", "txe", "rxe", "listtable", "listoverridetable",
              "revtbl", "rsidtbl", "generator", "themedata", "colorschememapping",
              "latentstyles", "datastore", "xmlnstbl", "filetbl", "bkmkstart", "bkmkend",
              "nonshppict", "pn", "pntxta", "pntxtb", "template", "userprops", "docvar",
              "fontemb", "fontfile", "falt", "panose", "mmathPr", "pgdsctbl",
              "listpicture", "private", "protusertbl", "wgrffmtfilter", "ftnsep",
              "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "comment", "author",
              "operator", "title", "subject", "keywords", "doccomm", "company",
              "category", "manager", "hlinkbase", "buptim", "creatim", "printim",
              "revtim", "blipuid", "passwordhash", "mhtmltag", "htmltag"}) {
            t.emplace(w, WordInfo{Word::SkipDestination});
        }
        const std::pair<std::string_view, Word> words[] = {
            {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable},
            {"ansi", Word::Ansi}, {"mac", Word::Mac}, {"pc", Word::Pc}, {"pca", Word::Pca},
            {"ansicpg", Word::AnsiCodePage}, {"deff", Word::DefaultFont},
            {"f", Word::Font}, {"fcharset", Word::FontCharset}, {"cpg", Word::FontCodePage},
            {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue},
            {"par", Word::Par}, {"sect", Word::Par}, {"page", Word::Par}, {"row", Word::Par},
            {"line", Word::Line}, {"tab", Word::Tab}, {"cell", Word::Cell},
            {"b", Word::Bold}, {"i", Word::Italic},
            {"ul", Word::Underline}, {"uld", Word::Underline}, {"uldb", Word::Underline},
            {"ulw", Word::Underline}, {"ulth", Word::Underline}, {"uldash", Word::Underline},
            {"uldashd", Word::Underline}, {"uldashdd", Word::Underline},
            {"ulwave", Word::Underline}, {"ulhwave", Word::Underline},
            {"ululdbwave", Word::Underline}, {"ulthd", Word::Underline},
            {"ulnone", Word::UnderlineNone},
            {"plain", Word::Plain}, {"pard", Word::Pard}, {"fs", Word::FontSize},
            {"cf", Word::ColorFore},
            {"ql", Word::AlignLeft}, {"qc", Word::AlignCenter}, {"qr", Word::AlignRight},
            {"qj", Word::AlignJustify}, {"qd", Word::AlignJustify},
            {"li", Word::LeftIndent}, {"lin", Word::LeftIndent},
            {"ri", Word::RightIndent}, {"rin", Word::RightIndent},
            {"fi", Word::FirstIndent}, {"sb", Word::SpaceBefore}, {"sa", Word::SpaceAfter},
            {"u", Word::Unicode}, {"uc", Word::UnicodeSkip}, {"bin", Word::Binary},
        };
        for (const auto& [w, k] : words) t.emplace(w, WordInfo{k});
        const std::pair<std::string_view, char32_t> symbols[] = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022},
            {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C},
            {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
            {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C},
        };
        for (const auto& [w, c] : symbols) t.emplace(w, WordInfo{Word::Symbol, c});
        return t;
    }();
    return table;
}

struct ParagraphFormat {
    RtfAlignment Alignment = RtfAlignment::Left;
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstLineIndent = 0;
    int SpaceBefore = 0;
    int SpaceAfter = 0;
};

struct CharacterFormat {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int HalfPoints = kDefaultHalfPoints;
    long ColorIndex = 0;
    long Font = -1;            // -1: the document's default font
};

// Everything a group saves and its closing brace restores.
struct GroupState {
    Destination Dest = Destination::Text;
    CharacterFormat Chars;
    ParagraphFormat Para;
    int UnicodeSkip = 1;
    std::optional<long> FontBeingDefined;   // inside the font table
};

class Parser {
public:
    explicit Parser(std::string_view in) : in_(in) {}

    RtfText Run() {
        std::size_t lead = 0;
        while (lead < in_.size() && (in_[lead] == ' ' || in_[lead] == '\t' ||
                                     in_[lead] == '\r' || in_[lead] == '\n')) {
            ++lead;
        }
        out_.HasRtfHeader = in_.substr(lead, 5) == "{\\rtf";

        bool ended = false;
        while (!ended && pos_ < in_.size()) {
            const unsigned char c = static_cast<unsigned char>(in_[pos_++]);
            switch (c) {
                case '{':
                    skipUnits_ = 0;
                    OpenGroup();
                    break;
                case '}':
                    skipUnits_ = 0;
                    ended = CloseGroup();
                    break;
                case '\\':
                    ReadControl();
                    break;
                case '\r':
                case '\n':
                    break;   // line ends of the file are not text
                default:
                    groupStart_ = false;
                    if (skipUnits_ > 0) {
                        --skipUnits_;
                    } else {
                        TextByte(c);
                    }
                    break;
            }
        }
        if (!ended) FinishDocument();
        return std::move(out_);
    }

private:
    // ---- groups -------------------------------------------------------
    void OpenGroup() {
        FlushPendingSurrogate();
        groupStart_ = true;
        if (stack_.size() >= static_cast<std::size_t>(kRtfMaxGroupDepth)) {
            ++flatDepth_;   // too deep: read on as if the brace were not there
            return;
        }
        stack_.push_back(st_);
    }

    // Returns true when the document's outermost group has closed.
    bool CloseGroup() {
        FlushPendingSurrogate();
        groupStart_ = false;
        if (flatDepth_ > 0) {
            --flatDepth_;
            return false;
        }
        if (stack_.empty()) return false;   // stray brace before any group
        if (stack_.size() == 1) {
            FinishDocument();
            st_ = stack_.back();
            stack_.pop_back();
            return true;
        }
        st_ = stack_.back();
        stack_.pop_back();
        return false;
    }

    // ---- control words and symbols -------------------------------------
    void ReadControl() {
        if (pos_ >= in_.size()) return;   // a lone backslash at the end
        const unsigned char c = static_cast<unsigned char>(in_[pos_]);
        if (IsAsciiLetter(c)) {
            ReadControlWord();
            return;
        }
        ++pos_;
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < in_.size()) {
                const int h = HexValue(static_cast<unsigned char>(in_[pos_]));
                if (h < 0) break;
                value = value * 16 + h;
                ++digits;
                ++pos_;
            }
            if (skipUnits_ > 0) {
                --skipUnits_;
                return;
            }
            if (digits == 2) TextByte(static_cast<unsigned char>(value), true);
            return;
        }
        if (skipUnits_ > 0) {
            --skipUnits_;
            return;
        }
        if (c == '*') {
            // "{\*\word ...}": a group this reader does not need to know.
            if (atGroupStart) st_.Dest = Destination::Skip;
            return;
        }
        if (st_.Dest != Destination::Text) return;
        switch (c) {
            case '\\': case '{': case '}': Emit(c); break;
            case '~': Emit(0x00A0); break;    // non-breaking space
            case '-': Emit(0x00AD); break;    // optional hyphen
            case '_': Emit(0x2011); break;    // non-breaking hyphen
            case '\r': case '\n': EndParagraph(); break;
            case '\t': Emit('\t'); break;
            default: break;                   // \: \| and the like
        }
    }

    void ReadControlWord() {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsAsciiLetter(static_cast<unsigned char>(in_[pos_]))) {
            ++pos_;
        }
        const std::string_view word = in_.substr(start, pos_ - start);

        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' &&
            IsDigit(static_cast<unsigned char>(in_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(static_cast<unsigned char>(in_[pos_]))) {
            hasParam = true;
            const long d = in_[pos_] - '0';
            param = param > (kRtfMaxParameter - d) / 10 ? kRtfMaxParameter : param * 10 + d;
            ++pos_;
        }
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;   // the delimiter

        groupStart_ = false;
        if (word.size() > kMaxWordLength) {
            if (skipUnits_ > 0) --skipUnits_;
            return;
        }
        const auto& table = WordTable();
        const auto it = table.find(word);
        if (it != table.end() && it->second.Kind == Word::Binary) {
            // Raw bytes follow; they are never text of this document.
            if (hasParam && param > 0) {
                const std::size_t n =
                    std::min<std::size_t>(static_cast<std::size_t>(param), in_.size() - pos_);
                pos_ += n;
            }
            if (skipUnits_ > 0) --skipUnits_;
            return;
        }
        if (skipUnits_ > 0) {
            --skipUnits_;
            return;
        }
        if (it == table.end() || st_.Dest == Destination::Skip) return;
        DoWord(it->second, hasParam, param);
    }

    void DoWord(const WordInfo& info, bool hasParam, long param) {
        CharacterFormat& ch = st_.Chars;
        ParagraphFormat& pa = st_.Para;
        const bool on = !hasParam || param != 0;
        const bool text = st_.Dest == Destination::Text;
        switch (info.Kind) {
            case Word::SkipDestination: st_.Dest = Destination::Skip; break;
            case Word::FontTable: st_.Dest = Destination::FontTable; break;
            case Word::ColorTable:
                st_.Dest = Destination::ColorTable;
                colors_.clear();
                StartColorEntry();
                break;
            case Word::Ansi: ansiCodePage_ = 1252; break;
            case Word::Mac: ansiCodePage_ = 10000; break;
            case Word::Pc: ansiCodePage_ = 437; break;
            case Word::Pca: ansiCodePage_ = 850; break;
            case Word::AnsiCodePage: if (hasParam) ansiCodePage_ = static_cast<int>(param); break;
            case Word::DefaultFont: if (hasParam) defaultFont_ = param; break;
            case Word::Font:
                if (!hasParam) break;
                if (st_.Dest == Destination::FontTable) {
                    st_.FontBeingDefined = param;
                    fonts_.try_emplace(param, 0);
                } else {
                    ch.Font = param;
                }
                break;
            case Word::FontCharset:
                if (st_.Dest == Destination::FontTable && hasParam && st_.FontBeingDefined) {
                    const int cp = CodePageOfCharset(static_cast<int>(Clamp(param, 0, 255)));
                    if (cp != 0) fonts_[*st_.FontBeingDefined] = cp;
                }
                break;
            case Word::FontCodePage:
                if (st_.Dest == Destination::FontTable && hasParam && param > 0 &&
                    st_.FontBeingDefined) {
                    fonts_[*st_.FontBeingDefined] = static_cast<int>(param);
                }
                break;
            case Word::Red:
            case Word::Green:
            case Word::Blue:
                if (st_.Dest == Destination::ColorTable) {
                    const auto v = static_cast<std::uint8_t>(Clamp(hasParam ? param : 0, 0, 255));
                    if (info.Kind == Word::Red) entry_.Red = v;
                    if (info.Kind == Word::Green) entry_.Green = v;
                    if (info.Kind == Word::Blue) entry_.Blue = v;
                    entrySet_ = true;
                }
                break;
            case Word::Par: if (text) EndParagraph(); break;
            case Word::Line: if (text) Emit('\n'); break;
            case Word::Tab:
            case Word::Cell: if (text) Emit('\t'); break;
            case Word::Bold: ch.Bold = on; break;
            case Word::Italic: ch.Italic = on; break;
            case Word::Underline: ch.Underline = on; break;
            case Word::UnderlineNone: ch.Underline = false; break;
            case Word::Plain: ch = CharacterFormat{}; break;
            case Word::Pard: pa = ParagraphFormat{}; break;
            case Word::FontSize:
                ch.HalfPoints = hasParam ? static_cast<int>(Clamp(param, 2, kMaxHalfPoints))
                                         : kDefaultHalfPoints;
                break;
            case Word::ColorFore: ch.ColorIndex = hasParam ? param : 0; break;
            case Word::AlignLeft: pa.Alignment = RtfAlignment::Left; break;
            case Word::AlignCenter: pa.Alignment = RtfAlignment::Center; break;
            case Word::AlignRight: pa.Alignment = RtfAlignment::Right; break;
            case Word::AlignJustify: pa.Alignment = RtfAlignment::Justified; break;
            case Word::LeftIndent: pa.LeftIndent = Twips(param, -kMaxTwips); break;
            case Word::RightIndent: pa.RightIndent = Twips(param, -kMaxTwips); break;
            case Word::FirstIndent: pa.FirstLineIndent = Twips(param, -kMaxTwips); break;
            case Word::SpaceBefore: pa.SpaceBefore = Twips(param, 0); break;
            case Word::SpaceAfter: pa.SpaceAfter = Twips(param, 0); break;
            case Word::Unicode:
                if (!hasParam) break;
                if (text) {
                    const long v = param < 0 ? param + 65536 : param;
                    if (v < 0 || v > 0xFFFF) {
                        Emit(kReplacement);
                    } else if (v >= 0x20 || v == '\t') {
                        Emit(static_cast<char32_t>(v));   // other control characters are not text
                    }
                }
                skipUnits_ = st_.UnicodeSkip;
                break;
            case Word::UnicodeSkip:
                st_.UnicodeSkip = static_cast<int>(Clamp(hasParam ? param : 1, 0, kMaxUnicodeSkip));
                break;
            case Word::Symbol: if (text) Emit(info.Character); break;
            case Word::Binary: break;
        }
    }

    static int Twips(long v, long lo) { return static_cast<int>(Clamp(v, lo, kMaxTwips)); }

    // ---- text ------------------------------------------------------------
    // One byte of text, written as it is or as \'hh.
    void TextByte(unsigned char b, bool escaped = false) {
        switch (st_.Dest) {
            case Destination::Text:
                if (b >= 0x80) {
                    Emit(DecodeCodePageByte(CurrentCodePage(), b));
                } else if (b >= 0x20 && b != 0x7F) {
                    Emit(b);
                } else if (b == '\t') {
                    Emit('\t');
                }
                break;
            case Destination::ColorTable:
                if (b == ';' && !escaped) {
                    colors_.push_back(entrySet_ ? std::optional<RtfColor>(entry_) : std::nullopt);
                    StartColorEntry();
                }
                break;
            case Destination::FontTable:
            case Destination::Skip:
                break;
        }
    }

    int CurrentCodePage() const {
        const long font = st_.Chars.Font >= 0 ? st_.Chars.Font : defaultFont_;
        const auto it = fonts_.find(font);
        if (it != fonts_.end() && it->second != 0) return it->second;
        return ansiCodePage_;
    }

    void Emit(char32_t c) {
        if (pendingHigh_ != 0) {
            if (IsLowSurrogate(c)) {
                c = 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (c - 0xDC00);
                pendingHigh_ = 0;
                Append(c);
                return;
            }
            FlushPendingSurrogate();
        }
        if (IsHighSurrogate(c)) {
            pendingHigh_ = c;
            return;
        }
        if (c == 0) return;
        Append(IsLowSurrogate(c) ? kReplacement : c);
    }

    void FlushPendingSurrogate() {
        if (pendingHigh_ == 0) return;
        pendingHigh_ = 0;
        Append(kReplacement);
    }

    void Append(char32_t c) {
        const CharacterFormat& ch = st_.Chars;
        std::optional<RtfColor> color;
        if (ch.ColorIndex >= 0 && static_cast<std::size_t>(ch.ColorIndex) < colors_.size()) {
            color = colors_[static_cast<std::size_t>(ch.ColorIndex)];
        }
        const double size = ch.HalfPoints / 2.0;
        auto& runs = para_.Runs;
        if (runs.empty() || runs.back().Bold != ch.Bold || runs.back().Italic != ch.Italic ||
            runs.back().Underline != ch.Underline || runs.back().FontSize != size ||
            runs.back().Color != color) {
            RtfRun run;
            run.Bold = ch.Bold;
            run.Italic = ch.Italic;
            run.Underline = ch.Underline;
            run.FontSize = size;
            run.Color = color;
            runs.push_back(std::move(run));
        }
        AppendUtf8(runs.back().Text, c);
    }

    void EndParagraph() {
        FlushPendingSurrogate();
        const ParagraphFormat& pa = st_.Para;
        para_.Alignment = pa.Alignment;
        para_.LeftIndent = pa.LeftIndent;
        para_.RightIndent = pa.RightIndent;
        para_.FirstLineIndent = pa.FirstLineIndent;
        para_.SpaceBefore = pa.SpaceBefore;
        para_.SpaceAfter = pa.SpaceAfter;
        out_.Paragraphs.push_back(std::move(para_));
        para_ = RtfParagraph{};
    }

    // The last paragraph needs no \par.
    void FinishDocument() {
        FlushPendingSurrogate();
        if (!para_.Runs.empty()) EndParagraph();
    }

    void StartColorEntry() {
        entry_ = RtfColor{};
        entrySet_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    GroupState st_;
    std::vector<GroupState> stack_;
    std::size_t flatDepth_ = 0;
    bool groupStart_ = false;
    int skipUnits_ = 0;          // \uc fallback characters still to pass over
    char32_t pendingHigh_ = 0;   // first half of a surrogate pair
    int ansiCodePage_ = 1252;
    long defaultFont_ = 0;
    std::map<long, int> fonts_;  // font number -> code page (0: the document's)
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor entry_;
    bool entrySet_ = false;
    RtfText out_;
    RtfParagraph para_;
};

}  // namespace

std::string RtfParagraph::PlainText() const {
    std::string s;
    for (const RtfRun& r : Runs) s += r.Text;
    return s;
}

std::string RtfText::PlainText() const {
    std::string s;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0) s += '\n';
        s += Paragraphs[i].PlainText();
    }
    return s;
}

char32_t DecodeCodePageByte(int codePage, std::uint8_t b) {
    if (b < 0x80) return b;
    switch (codePage) {
        case 1250: return kCp1250[b - 0x80];
        case 1251: return kCp1251[b - 0x80];
        default: return kCp1252[b - 0x80];
    }
}

int CodePageOfCharset(int charset) {
    switch (charset) {
        case 0: return 1252;     // ANSI
        case 204: return 1251;   // Cyrillic
        case 238: return 1250;   // Central European
        case 161: return 1253;   // Greek
        case 162: return 1254;   // Turkish
        case 186: return 1257;   // Baltic
        default: return 0;       // default, symbol, OEM and the rest
    }
}

RtfText ReadRtf(std::string_view bytes) { return Parser(bytes).Run(); }

}  // namespace velox
