// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/CellTableModel.h"

#include "presentation/LevelLabel.h"
#include "presentation/TableCells.h"

#include <QColor>

CellTableModel::CellTableModel(QString tableIdentifier, QList<Column> columns,
                               const SymptomList& symptoms, const DiagnosticList& diagnostics,
                               QObject* parent)
    : QAbstractTableModel(parent), table_(tableIdentifier.toStdString()),
      columns_(std::move(columns)), symptoms_(symptoms), diagnostics_(diagnostics) {
    for (const Column& c : columns_) {
        columnIds_.push_back(c.identifier.toStdString());
    }
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : numberOfRows(table_, symptoms_, diagnostics_);
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QString CellTableModel::columnIdentifier(int column) const {
    return column >= 0 && column < columns_.size() ? columns_[column].identifier : QString();
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0) {
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ForegroundRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    const CellValue cell =
        cellValue(table_,
                  index.column() < static_cast<int>(columnIds_.size())
                      ? std::string_view(columnIds_[static_cast<std::size_t>(index.column())])
                      : std::string_view(),
                  static_cast<std::size_t>(index.row()), symptoms_, diagnostics_);
    if (cell.kind == CellValue::Kind::Nothing) {
        return {};
    }
    if (role == Qt::ForegroundRole) {
        if (cell.kind != CellValue::Kind::ColouredText) {
            return {};
        }
        return toQColor(cell.colour);
    }
    return QString::fromStdString(cell.text);
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns_.size()) {
        return columns_[section].title;
    }
    return {};
}

void CellTableModel::changeAll(const std::function<void()>& change) {
    beginResetModel();
    change();
    endResetModel();
}

void CellTableModel::insertRowsWith(int first, int count, const std::function<void()>& change) {
    beginInsertRows(QModelIndex(), first, first + count - 1);
    change();
    endInsertRows();
}

void CellTableModel::removeRowsWith(int first, int count, const std::function<void()>& change) {
    beginRemoveRows(QModelIndex(), first, first + count - 1);
    change();
    endRemoveRows();
}

void CellTableModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}
