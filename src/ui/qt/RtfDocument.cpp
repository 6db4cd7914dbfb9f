#include "ui/qt/RtfDocument.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <string_view>

namespace velox {

namespace {

// Twips (1/20 point) to the document's pixels at 96 pixels per inch, at
// the zoom of the window showing the document.
qreal zoom = 1;
qreal TwipsToPixels(int twips) { return twips * zoom / 15.0; }

Qt::Alignment ToQt(RtfAlignment a) {
    switch (a) {
        case RtfAlignment::Center: return Qt::AlignHCenter;
        case RtfAlignment::Right: return Qt::AlignRight;
        case RtfAlignment::Justified: return Qt::AlignJustify;
        case RtfAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat BlockFormat(const RtfParagraph& p) {
    QTextBlockFormat f;
    f.setAlignment(ToQt(p.Alignment));
    f.setLeftMargin(TwipsToPixels(p.LeftIndent));
    f.setRightMargin(TwipsToPixels(p.RightIndent));
    f.setTextIndent(TwipsToPixels(p.FirstLineIndent));
    f.setTopMargin(TwipsToPixels(p.SpaceBefore));
    f.setBottomMargin(TwipsToPixels(p.SpaceAfter));
    if (p.FirstLineIndent < 0 && p.LeftIndent > 0) {
        // A hanging indent: the first tab of the first line jumps to the
        // indent, so that "bullet, tab, text" lines up with the lines below.
        // Qt measures tab positions from where the first line begins.
        f.setTabPositions({QTextOption::Tab(TwipsToPixels(-p.FirstLineIndent), QTextOption::LeftTab)});
    }
    return f;
}

QTextCharFormat CharFormat(const RtfRun& r) {
    QTextCharFormat f;
    f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.Italic);
    f.setFontUnderline(r.Underline);
    f.setFontPointSize(r.FontSize * zoom);
    if (r.Color) f.setForeground(QColor(r.Color->Red, r.Color->Green, r.Color->Blue));
    return f;
}

QString RunText(const std::string& utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    return s;
}

}  // namespace

void FillTextDocument(const RtfText& text, QTextDocument& document, double atZoom) {
    zoom = atZoom;
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph& p : text.Paragraphs) {
        const QTextBlockFormat block = BlockFormat(p);
        // An empty paragraph takes its height from its block's character
        // format; without a run the default one is kept.
        const QTextCharFormat blockChars = p.Runs.empty() ? QTextCharFormat() : CharFormat(p.Runs.front());
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(blockChars);
            first = false;
        } else {
            cursor.insertBlock(block, blockChars);
        }
        for (const RtfRun& r : p.Runs) cursor.insertText(RunText(r.Text), CharFormat(r));
    }
    cursor.endEditBlock();
}

}  // namespace velox
