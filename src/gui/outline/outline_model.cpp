// SPDX-License-Identifier: MIT
#include "gui/outline/outline_model.h"

#include "gui/gui_notices.h"
#include "gui/qt_text.h"
#include "gui/window/icons.h"

namespace rn::gui {

OutlineModel::OutlineModel(rn::Outline& outline, QObject* parent) : QAbstractItemModel(parent), outline_(outline) {
    outline_.SetObserver(this);
}

OutlineModel::~OutlineModel() {
    if (outline_.Observer() == this) outline_.SetObserver(nullptr);
}

rn::Node* OutlineModel::nodeAt(const QModelIndex& index) const {
    return index.isValid() ? static_cast<rn::Node*>(index.internalPointer()) : nullptr;
}

QModelIndex OutlineModel::indexOf(const rn::Node* node) const {
    if (!node || !node->parent) return {};
    return createIndex(node->row, 0, const_cast<rn::Node*>(node));
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const rn::Node* p = parent.isValid() ? nodeAt(parent) : outline_.Root();
    if (row >= p->ChildCount()) return {};
    return createIndex(row, 0, p->Child(row));
}

QModelIndex OutlineModel::parent(const QModelIndex& child) const {
    rn::Node* n = nodeAt(child);
    if (!n || !n->parent || n->parent == outline_.Root()) return {};
    return createIndex(n->parent->row, 0, n->parent);
}

int OutlineModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const rn::Node* p = parent.isValid() ? nodeAt(parent) : outline_.Root();
    return p->ChildCount();
}

int OutlineModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const {
    rn::Node* n = nodeAt(index);
    if (!n) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return fromCp932(n->text);
        case Qt::DecorationRole:
            return nodeIcon(n->kind);
        default:
            return {};
    }
}

Qt::ItemFlags OutlineModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

void OutlineModel::BeforeInsert(rn::Node* parent, int row) {
    beginInsertRows(indexOf(parent), row, row);
}
void OutlineModel::AfterInsert() {
    endInsertRows();
}
void OutlineModel::BeforeRemove(rn::Node* parent, int row) {
    beginRemoveRows(indexOf(parent), row, row);
}
void OutlineModel::AfterRemove() {
    endRemoveRows();
}
void OutlineModel::BeforeMove(rn::Node* node, rn::Node* newParent, int destRow) {
    beginMoveRows(indexOf(node->parent), node->row, node->row, indexOf(newParent), destRow);
}
void OutlineModel::AfterMove() {
    endMoveRows();
}
void OutlineModel::BeforeReset() {
    beginResetModel();
}
void OutlineModel::AfterReset() {
    endResetModel();
}
void OutlineModel::Changed(rn::Node* node) {
    QModelIndex i = indexOf(node);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::ToolTipRole, Qt::DecorationRole});
}

}  // namespace rn::gui
