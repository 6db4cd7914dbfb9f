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

Qt::Alignment Alignment(const QTextBlock& block) {
    return block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
}

TEST(RtfDocument, FormatsReachTheDocument) {
    QTextDocument doc;
    velox::LoadRtfIntoDocument(
        QByteArray("{\\rtf1\\ansi\\ansicpg1250{\\colortbl;\\red136\\green34\\blue0;}"
                   "\\qc\\b\\fs32\\cf1 C\\'edm\\par\\pard\\qj\\li567\\fi-283\\sa120 n"
                   "{\\i d\\'f5lt}{\\ul al\\'e1}\\line h\\'fazott\\tab x\\par\\qr\\par}"),
        doc);
    ASSERT_EQ(doc.blockCount(), 3);

    const QTextBlock title = doc.begin();
    EXPECT_EQ(title.text(), QString::fromUtf8("Cím"));
    EXPECT_EQ(Alignment(title), Qt::AlignHCenter);
    const auto t = Formats(title);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].fontWeight(), QFont::Bold);
    EXPECT_EQ(t[0].fontPointSize(), 16.0);
    EXPECT_EQ(t[0].foreground().color(), QColor(136, 34, 0));

    const QTextBlock body = title.next();
    EXPECT_EQ(body.text(), QString::fromUtf8("ndőltalá\u2028húzott\tx"));
    EXPECT_EQ(Alignment(body), Qt::AlignJustify);
    EXPECT_NEAR(body.blockFormat().leftMargin(), 567 / 15.0, 1e-9);
    EXPECT_NEAR(body.blockFormat().textIndent(), -283 / 15.0, 1e-9);
    EXPECT_NEAR(body.blockFormat().bottomMargin(), 8.0, 1e-9);
    const auto b = Formats(body);
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(b[0].fontWeight(), QFont::Bold);  // \pard keeps characters
    EXPECT_EQ(std::vector<bool>({b[1].fontItalic(), b[1].fontUnderline(), b[2].fontItalic(),
                                 b[2].fontUnderline(), b[3].fontUnderline()}),
              std::vector<bool>({true, false, false, true, false}));

    EXPECT_TRUE(body.next().text().isEmpty());
    EXPECT_EQ(Alignment(body.next()), Qt::AlignRight);

    // Default colour: no foreground set, so the view's palette applies.
    velox::LoadRtfIntoDocument(QByteArray("{\\rtf1 plain}"), doc);
    EXPECT_EQ(doc.toPlainText(), "plain");
    const auto p = Formats(doc.begin());
    ASSERT_EQ(p.size(), 1u);
    EXPECT_FALSE(p[0].hasProperty(QTextFormat::ForegroundBrush));
}

}  // namespace
