// Rich text for Qt's text views: the document read by the RTF reader
// (ui/model/RtfReader.h) is laid into a QTextDocument, since Qt itself does
// not read RTF.
#pragma once

#include <QString>

#include "ui/model/RtfReader.h"

class QByteArray;
class QTextDocument;

namespace velox {

// Replaces the whole content of `document` with `text`: one block per
// paragraph with its alignment, indents and spacing; one character format
// per run (bold, italic, underline, size in points, colour); sizes, indents
// and spacing times `zoom`.
void FillTextDocument(const RtfText& text, QTextDocument& document, double zoom = 1);

// Reads RTF bytes into `document`.
void LoadRtfIntoDocument(const QByteArray& bytes, QTextDocument& document, double zoom = 1);

enum class RtfFileStatus { Loaded, Missing, Unreadable };

// Empties `document`, then loads the RTF file at `path` into it.  A missing
// file leaves the document empty (Missing); a file that exists but cannot be
// read leaves it empty too (Unreadable) and puts the reason into `*error`
// when `error` is given.
RtfFileStatus LoadRtfFile(const QString& path, QTextDocument& document,
                          QString* error = nullptr, double zoom = 1);

}  // namespace velox
