// SPDX-License-Identifier: MIT
// "PDF出力": what to write (the selected node, its branch or the whole outline outside the trash),
// the page layout, the output file, and a preview of the pages as they will print. Created for each
// use and shown modally.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "core/layout/grid.h"
#include "core/manuscript/manuscript.h"
#include "core/outline/flatten.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;

namespace rn {
class Document;
struct Node;
}  // namespace rn

namespace rn::gui {

class Prompts;

class PdfOutputDialog : public QDialog {
    Q_OBJECT
public:
    struct Source {
        const rn::Document* doc = nullptr;
        const rn::Node* selected = nullptr;  // null: only the whole outline can be written
        std::string settingsPath;            // Ramblenote.Ini: the layout last chosen
        std::string numberingPath;           // BTxtOut.Ini: how headings are numbered
    };

    PdfOutputDialog(QWidget* owner, Prompts& prompts, const Source& source);

    rn::PageLayout layout() const;
    rn::ManuscriptScope scope() const;
    QString statusText() const;
    int previewPageNumber() const { return previewPage_; }

    // "出力": writes the PDF with the dialog as it stands.
    void runOutput();

private:
    void buildWidgets();
    void selectLayout(const rn::PageLayout& layout);
    void refreshUserGrid();
    void schedulePreview();
    void showPreview();
    void browseOutput();
    QString defaultOutputPath() const;
    void setProposedOutput();
    QString checkOutput(const std::string& path) const;
    rn::ManuscriptRequest request() const;

    Prompts& prompts_;
    Source source_;
    std::vector<rn::OutputNode> nodes_;
    std::size_t selectedIndex_ = 0;
    rn::BatchOutputSettings numbering_;

    QButtonGroup* scopeGroup_ = nullptr;
    QComboBox* layoutBox_ = nullptr;
    QSpinBox* squaresBox_ = nullptr;
    QSpinBox* linesBox_ = nullptr;
    QComboBox* directionBox_ = nullptr;
    QLineEdit* outputEdit_ = nullptr;
    QLabel* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QPushButton* previousButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* previewTimer_ = nullptr;
    QString proposedOutput_;  // the output path the dialog proposed last
    int previewPage_ = 1;
    bool previewHasNext_ = false;
};

}  // namespace rn::gui
