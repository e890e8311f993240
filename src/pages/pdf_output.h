// SPDX-License-Identifier: MIT
// Manuscript pages written as a PDF file, and the first pages drawn for a preview.
#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <string>

#include "core/layout/grid.h"
#include "core/manuscript/manuscript.h"
#include "pages/manuscript_font.h"

namespace rn::pages {

struct PdfJob {
    ManuscriptRequest pages;  // what is laid out, and in which grid (taken from `layout`)
    PageLayout layout;
    std::string outputPath;  // native path; replaced only when the whole file is written
    QString title;           // in the first page's top margin; may be empty
    QString fontFamily = QString::fromLatin1(kManuscriptFontFamily);
};

enum class PdfResult { kDone, kCancelled, kNoFont, kWriteFailed };

// Told, with the pages written so far, before each node and after each page; false cancels (the
// output file stays as it was).
using PdfProgress = std::function<bool(int pages)>;

struct PdfOutcome {
    PdfResult result = PdfResult::kDone;
    int pages = 0;
    QString error;            // kNoFont, kWriteFailed: what to tell the user
    ManuscriptReport bodies;  // bodies that could not be read, or were not regular files
};

PdfOutcome writePdf(const PdfJob& job, const PdfProgress& progress = {});

// Page `number` (from 1) drawn `width` pixels wide; when the document has fewer pages, its last page.
// A null image and `error` set when the font is missing.
struct PreviewPage {
    QImage image;
    int number = 0;        // the page drawn
    bool hasNext = false;  // whether a page follows it
    QString error;
};
PreviewPage previewPage(const PdfJob& job, int number, int width);

}  // namespace rn::pages
