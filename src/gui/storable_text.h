// SPDX-License-Identifier: MIT
// Text entered into the program's fields on its way into CP932: the twins of CP932's signs mapped, the
// characters CP932 cannot hold left out and named, the rest kept.
#pragma once

#include <QString>
#include <QValidator>
#include <functional>
#include <vector>

namespace rn::gui {

// Maps and filters `text` in place (see rn::DropUnstorable); returns the characters left out.
std::vector<char32_t> makeStorable(QString& text, bool dropNul = false);
// The status text naming characters left out.
QString unstorableMessage(const std::vector<char32_t>& left);

// For one-line fields whose value is stored as CP932: what is typed, pasted or committed is mapped,
// and characters CP932 cannot hold are left out and told through `report`.
class StorableTextValidator : public QValidator {
public:
    StorableTextValidator(std::function<void(const QString& message)> report, QObject* parent)
        : QValidator(parent), report_(std::move(report)) {}
    State validate(QString& input, int& pos) const override;

private:
    std::function<void(const QString&)> report_;
};

}  // namespace rn::gui
