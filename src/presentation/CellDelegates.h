// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws cells as usual, and gives a cell whose text is cut off at the
// column's width its full text as a tooltip.
class ElidedTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Whether the cell's text does not fit in the cell as drawn.
    bool isElided(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// Draws a level word as a badge: filled with the cell's colour (its
// foreground colour, the level's own), the word in black or white, whichever
// reads better on it.
class LevelBadgeDelegate : public ElidedTipDelegate {
    Q_OBJECT
public:
    using ElidedTipDelegate::ElidedTipDelegate;

    // Room a badge needs in its cell beside the width of its word.
    static constexpr int kBadgeMargin = 32;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where the badge is drawn inside a cell.
    QRect badgeRect(const QStyleOptionViewItem& option, const QString& word) const;
};
