// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

// A table that keeps no copy of its rows: every cell is asked of the pure cell
// function, from the controller's lists, when the view needs it.
class CellTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString identifier;
        QString title;
    };

    CellTableModel(QString tableIdentifier, QList<Column> columns, const SymptomList& symptoms,
                   const DiagnosticList& diagnostics, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString columnIdentifier(int column) const;

    // The controller changes a list only inside one of these, so that the
    // views hear of a change before it happens, as Qt's model contract asks.
    void changeAll(const std::function<void()>& change);
    void insertRowsWith(int first, int count, const std::function<void()>& change);
    void removeRowsWith(int first, int count, const std::function<void()>& change);
    // A row's values changed in place.
    void rowChanged(int row);

private:
    std::string table_;
    QList<Column> columns_;
    std::vector<std::string> columnIds_;
    const SymptomList& symptoms_;
    const DiagnosticList& diagnostics_;
};
