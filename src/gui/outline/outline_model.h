// SPDX-License-Identifier: MIT
// The outline view's model: a thin adapter over the core outline that passes on every insertion,
// removal and move as it happens, so expansion and selection survive edits.
#pragma once

#include <QAbstractItemModel>

#include "core/outline/outline.h"

namespace rn::gui {

class OutlineModel : public QAbstractItemModel, private rn::OutlineObserver {
    Q_OBJECT
public:
    explicit OutlineModel(rn::Outline& outline, QObject* parent = nullptr);
    ~OutlineModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }

    rn::Node* nodeAt(const QModelIndex& index) const;
    QModelIndex indexOf(const rn::Node* node) const;
    rn::Outline& outline() const { return outline_; }

private:
    void BeforeInsert(rn::Node* parent, int row) override;
    void AfterInsert() override;
    void BeforeRemove(rn::Node* parent, int row) override;
    void AfterRemove() override;
    void BeforeMove(rn::Node* node, rn::Node* newParent, int destRow) override;
    void AfterMove() override;
    void BeforeReset() override;
    void AfterReset() override;
    void Changed(rn::Node* node) override;

    rn::Outline& outline_;
};

}  // namespace rn::gui
