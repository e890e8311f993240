// SPDX-License-Identifier: MIT
// The previews of the settings dialog: while it is open, a changed control shows its value on the
// main window at once. Only the widgets change; the record changes through OK alone, and Cancel puts
// back what the window showed before.
#include <QCheckBox>
#include <QComboBox>
#include <utility>

#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_view.h"
#include "gui/settings/color_list_box.h"
#include "gui/settings/dialog_widgets.h"
#include "gui/settings/settings_dialog.h"
#include "gui/window/appearance.h"

namespace rn::gui {

void SettingsDialog::connectPreviews() {
    OutlineView* outline = &outline_;
    const std::pair<QCheckBox*, void (OutlineView::*)(bool)> treeSwitches[] = {
        {rootButtons_, &OutlineView::setRootIsDecorated},
        {treeLines_, &OutlineView::setShowLines},
        {expandButtons_, &OutlineView::setShowButtons},
    };
    for (const auto& treeSwitch : treeSwitches) {
        connect(treeSwitch.first, &QCheckBox::toggled, this, [this, outline, setter = treeSwitch.second](bool on) {
            if (!loading_) (outline->*setter)(on);
        });
    }
    for (const PaneControls* pane : {&tree_, &memo_, &lower_})
        connectPanePreviews(*pane);
    // Tab width, tab input and wrap show on the mouse release alone: from the keyboard they wait for OK.
    connect(tabWidth_, &SteppedNumberField::arrowReleased, this, &SettingsDialog::previewTabWidth);
    connect(tabInput_, &ReleaseCheckBox::mouseReleased, this, &SettingsDialog::previewTabInput);
    connect(followEditor_, &ReleaseCheckBox::mouseReleased, this, &SettingsDialog::previewTabInput);
    connect(wordWrap_, &ReleaseCheckBox::mouseReleased, this, &SettingsDialog::previewWrap);
}

void SettingsDialog::connectPanePreviews(const PaneControls& pane) {
    QWidget* target = pane.target;
    connect(pane.font, &QComboBox::currentTextChanged, this, [this, target](const QString& family) {
        if (loading_ || family.isEmpty()) return;
        QFont font = target->font();
        font.setFamily(family);
        target->setFont(font);
    });
    SteppedNumberField* size = pane.size;
    connect(size, &SteppedNumberField::arrowReleased, this, [target, size] {
        if (size->value() <= 0) return;
        QFont font = target->font();
        font.setPointSize(size->value());
        target->setFont(font);
    });
    const std::pair<ColorListBox*, QPalette::ColorRole> colors[] = {{pane.color, QPalette::Text},
                                                                    {pane.background, QPalette::Base}};
    for (const auto& color : colors) {
        connect(color.first, &ColorListBox::colorChosen, this,
                [target, box = color.first, role = color.second] { setPaneColor(*target, role, box->colorText()); });
    }
}

void SettingsDialog::rememberShown() {
    auto take = [](QWidget* widget) {
        ShownBefore::Pane pane{widget->font(), widget->palette()};
        if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            pane.tabStops = edit->tabStopDistance();
            pane.tabChangesFocus = edit->tabChangesFocus();
            pane.horizontal = edit->horizontalScrollBarPolicy();
        }
        return pane;
    };
    OutlineView* outline = &outline_;
    shownBefore_ = {take(outline),        take(&editor_),        take(&lowerPane_), outline->rootIsDecorated(),
                    outline->showLines(), outline->showButtons()};
}

void SettingsDialog::restoreShown() {
    auto put = [](QWidget* widget, const ShownBefore::Pane& pane) {
        widget->setFont(pane.font);
        widget->setPalette(pane.palette);
        if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            edit->setTabStopDistance(pane.tabStops);
            edit->setTabChangesFocus(pane.tabChangesFocus);
            edit->setHorizontalScrollBarPolicy(pane.horizontal);
        }
    };
    OutlineView* outline = &outline_;
    put(outline, shownBefore_.tree);
    put(&editor_, shownBefore_.editor);
    put(&lowerPane_, shownBefore_.lower);
    outline->setRootIsDecorated(shownBefore_.rootDecorated);
    outline->setShowLines(shownBefore_.lines);
    outline->setShowButtons(shownBefore_.buttons);
}

void SettingsDialog::previewTabInput() {
    for (BodyTextEdit* edit : {&editor_, &lowerPane_})
        edit->setTabChangesFocus(!tabInput_->isChecked());
}

void SettingsDialog::previewTabWidth() {
    for (BodyTextEdit* edit : {&editor_, &lowerPane_})
        applyTabStops(*edit, tabWidth_->value());
}

void SettingsDialog::previewWrap() {
    // Only the scroll bars and the tab stops: wrapping itself changes through OK.
    for (BodyTextEdit* edit : {&editor_, &lowerPane_})
        edit->setHorizontalScrollBarPolicy(wordWrap_->isChecked() ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    previewTabWidth();
}

}  // namespace rn::gui
