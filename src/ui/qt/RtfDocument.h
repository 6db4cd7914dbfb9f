// Rich text for Qt's text views: the document read by the RTF reader
// (ui/model/RtfReader.h) is laid into a QTextDocument, since Qt itself does
// not read RTF.
#pragma once

#include "ui/model/RtfReader.h"

class QTextDocument;

namespace velox {

// Replaces the whole content of `document` with `text`: one block per
// paragraph with its alignment, indents and spacing; one character format
// per run (bold, italic, underline, size in points, colour); sizes, indents
// and spacing times `zoom`.
void FillTextDocument(const RtfText& text, QTextDocument& document, double zoom = 1);

}  // namespace velox
