// SPDX-License-Identifier: MIT
#include "pages/pdf_output.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>

#include "core/storage/files.h"
#include "core/version.h"
#include "pages/page_painter.h"

namespace rn::pages {
namespace {

// The PDF goes to a temporary file beside the output, renamed over it once complete.
class ReplacementDevice : public QIODevice {
public:
    bool begin(const std::string& path) {
        std::string reason;
        if (!file_.Begin(path, &reason)) return fail(path, reason);
        path_ = path;
        return open(QIODevice::WriteOnly);
    }
    bool commit() {
        std::string reason;
        flushBuffer();
        if (ok_ && !file_.Commit(&reason)) fail(path_, reason);
        return ok_;
    }
    const QString& error() const { return error_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (!ok_) return -1;
        buffer_.append(data, static_cast<std::size_t>(size));
        if (buffer_.size() >= kBufferSize) flushBuffer();
        return ok_ ? size : -1;
    }

private:
    static constexpr std::size_t kBufferSize = std::size_t{1} << 20;

    void flushBuffer() {
        std::string reason;
        if (ok_ && !buffer_.empty() && !file_.Write(buffer_, &reason)) fail(path_, reason);
        buffer_.clear();
    }
    bool fail(const std::string& path, const std::string& reason) {
        if (ok_) error_ = QString::fromStdString(CreateErrorText(path, reason));
        ok_ = false;
        return false;
    }

    FileReplacement file_;
    std::string path_;
    std::string buffer_;
    bool ok_ = true;
    QString error_;
};

ManuscriptRequest withGrid(const PdfJob& job) {
    ManuscriptRequest r = job.pages;
    r.grid = job.layout.grid;
    return r;
}

}  // namespace

PdfOutcome writePdf(const PdfJob& job, const PdfProgress& progress) {
    PdfOutcome outcome;
    const std::optional<QFont> font = findManuscriptFont(job.fontFamily, outcome.error);
    if (!font) {
        outcome.result = PdfResult::kNoFont;
        return outcome;
    }
    ReplacementDevice device;
    if (!device.begin(job.outputPath)) {
        outcome.result = PdfResult::kWriteFailed;
        outcome.error = device.error();
        return outcome;
    }
    const PagePainter pagePainter(job.layout, *font);
    const PageGeometry& geometry = pagePainter.geometry();
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Ramblenote ") + QString::fromLatin1(ProgramVersion()));
    writer.setTitle(job.title);
    writer.setResolution(72);  // one unit of the painter is one point
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(geometry.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    bool cancelled = false;
    auto goOn = [&] {
        if (progress && !progress(outcome.pages)) cancelled = true;
        return !cancelled;
    };
    const bool composed = ComposeManuscript(
        withGrid(job),
        [&](const Page& page) {
            if (page.number > 1) writer.newPage();
            pagePainter.paint(painter, page, job.title);
            outcome.pages = page.number;
            return goOn();
        },
        outcome.bodies, [&](std::size_t, std::size_t) { return goOn(); });
    painter.end();
    if (!composed || cancelled) {
        outcome.result = PdfResult::kCancelled;
        return outcome;  // the temporary file goes with the device
    }
    if (!device.commit()) {
        outcome.result = PdfResult::kWriteFailed;
        outcome.error = device.error();
    }
    return outcome;
}

PreviewPage previewPage(const PdfJob& job, int number, int width) {
    PreviewPage preview;
    const std::optional<QFont> font = findManuscriptFont(job.fontFamily, preview.error);
    if (!font) return preview;
    const PagePainter pagePainter(job.layout, *font);
    const QSizeF paper = pagePainter.geometry().paper();
    const double scale = width / paper.width();
    // Pages are only laid out up to the one drawn, and one more to know whether it is the last.
    Page last;
    ManuscriptReport report;
    ComposeManuscript(
        withGrid(job),
        [&](const Page& page) {
            if (page.number > number) {
                preview.hasNext = true;
                return false;
            }
            last = page;
            return true;
        },
        report);
    preview.number = last.number;
    preview.image = QImage(width, static_cast<int>(paper.height() * scale), QImage::Format_RGB32);
    QPainter painter(&preview.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    pagePainter.paint(painter, last, job.title);
    return preview;
}

}  // namespace rn::pages
