// Reader of rich-text (RTF) files such as the exercise text "Velox.rtf".
//
// The reader turns RTF bytes into a plain document of paragraphs and
// formatted runs; the window side turns that into whatever its text view
// needs.  It understands what word processors write for ordinary text:
// groups, control words and symbols, 8-bit characters given as \'hh and
// decoded with the document's code page or the font's character set,
// \uN Unicode characters with their \ucN fallbacks, paragraphs, line breaks
// and tabs, bold, italic, underline, font sizes, the colour table, paragraph
// alignment, indents and spacing.  Font tables, style sheets, document
// information, pictures, headers, footers, objects and every group marked
// with \* are read past.  Unknown control words are ignored.
//
// Any input is accepted: damaged or hostile files (unbalanced braces,
// truncated escapes, huge numbers, very deep nesting, binary junk) give some
// document, never a crash, and the work is linear in the input length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velox {

enum class RtfAlignment { Left, Center, Right, Justified };

struct RtfColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const RtfColor&, const RtfColor&) = default;
};

// A stretch of text with one character format.  The text is UTF-8; a line
// break inside the paragraph (\line) is "\n", a tab is "\t".
struct RtfRun {
    std::string Text;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    double FontSize = 12.0;           // points
    std::optional<RtfColor> Color;    // none: the viewer's default colour
};

struct RtfParagraph {
    RtfAlignment Alignment = RtfAlignment::Left;
    // In twips (1/20 point), as the file gives them.
    int LeftIndent = 0;
    int RightIndent = 0;
    int FirstLineIndent = 0;          // relative to LeftIndent, may be negative
    int SpaceBefore = 0;
    int SpaceAfter = 0;
    std::vector<RtfRun> Runs;         // neighbouring runs differ in format

    std::string PlainText() const;    // the runs' text joined
};

struct RtfText {
    std::vector<RtfParagraph> Paragraphs;
    bool HasRtfHeader = false;        // the input began with "{\rtf"

    // Every paragraph's text, paragraphs separated by "\n".
    std::string PlainText() const;
};

// Limits that keep damaged input harmless.
inline constexpr int kRtfMaxGroupDepth = 256;       // deeper groups are read flat
inline constexpr long kRtfMaxParameter = 1000000000; // |N| of a control word

// Parses a whole RTF file.  Never throws for bad input (only std::bad_alloc
// may escape when memory runs out).
RtfText ReadRtf(std::string_view bytes);

// Unicode value of byte b (0x80 ... 0xFF) in a Windows single-byte code page;
// 1250, 1251 and 1252 are known, any other code page reads as 1252.  Bytes
// below 0x80 are ASCII.  Undefined positions give U+FFFD.
char32_t DecodeCodePageByte(int codePage, std::uint8_t b);

// Code page of an RTF \fcharset number, or 0 when the character set does not
// fix one (the document's code page applies then).
int CodePageOfCharset(int charset);

}  // namespace velox
