// The RTF reader's documents laid into QTextDocument.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <vector>

#include "ui/qt/RtfDocument.h"

namespace {

std::vector<QTextCharFormat> Formats(const QTextBlock& block) {
    std::vector<QTextCharFormat> out;
    for (auto it = block.begin(); !it.atEnd(); ++it) out.push_back(it.fragment().charFormat());
    return out;
}

Qt::Alignment Alignment(const QTextBlock& block) { return block.blockFormat().alignment() & Qt::AlignHorizontal_Mask; }

TEST(RtfDocument, FormatsReachTheDocument) {
    QTextDocument doc;
    velox::LoadRtfIntoDocument(QByteArray("{\\rtf1\\ansi\\ansicpg1250{\\colortbl;\\red136\\green34\\blue0;}"
                                          "\\qc\\b\\fs32\\cf1 C\\'edm\\par\\pard\\qj\\li567\\fi-283\\sa120 n"
                                          "{\\i d\\'f5lt}{\\ul al\\'e1}\\line h\\'fazott\\tab x\\par\\qr\\par}"),
                               doc);
    ASSERT_EQ(doc.blockCount(), 3);
    const QTextBlock title = doc.begin(), body = title.next();
    EXPECT_EQ(std::tuple(title.text(), Alignment(title)), std::tuple(QString::fromUtf8("Cím"), Qt::AlignHCenter));
    const auto t = Formats(title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(std::tuple(t[0].fontWeight(), t[0].fontPointSize(), t[0].foreground().color()),
              std::tuple(int(QFont::Bold), 16.0, QColor(136, 34, 0)));
    EXPECT_EQ(std::tuple(body.text(), Alignment(body)),
              std::tuple(QString::fromUtf8("ndőltalá\u2028húzott\tx"), Qt::AlignJustify));
    const QTextBlockFormat& b = body.blockFormat();
    EXPECT_EQ(std::tuple(b.leftMargin(), b.textIndent(), b.bottomMargin()), std::tuple(567 / 15.0, -283 / 15.0, 8.0));
    const auto f = Formats(body);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].fontWeight(), QFont::Bold);  // \pard keeps characters
    EXPECT_EQ(std::vector<bool>({f[1].fontItalic(), f[1].fontUnderline(), f[2].fontItalic(), f[2].fontUnderline(),
                                 f[3].fontUnderline()}),
              std::vector<bool>({true, false, false, true, false}));
    EXPECT_EQ(std::tuple(body.next().text(), Alignment(body.next())), std::tuple(QString(), Qt::AlignRight));
    // Default colour: no foreground set, so the view's palette applies.
    velox::LoadRtfIntoDocument(QByteArray("{\\rtf1 plain}"), doc);
    EXPECT_EQ(doc.toPlainText(), "plain");
    EXPECT_FALSE(Formats(doc.begin()).at(0).hasProperty(QTextFormat::ForegroundBrush));
}

}  // namespace
