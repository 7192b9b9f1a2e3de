// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/CellDelegates.h"

#include "presentation/Contrast.h"
#include "presentation/LevelLabel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kBadgePadding = 8;

const QStyle* styleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

bool ElidedTipDelegate::isElided(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (opt.text.isEmpty()) {
        return false;
    }
    const QStyle* style = styleOf(opt);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    return opt.fontMetrics.horizontalAdvance(opt.text) > textRect.width() - 2 * margin;
}

bool ElidedTipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && event->type() == QEvent::ToolTip && index.isValid() && isElided(option, index)) {
        // Escaped, so that catalogue text is never read as markup.
        const QString text = QStringLiteral("<p style='white-space:pre'>%1</p>")
                                 .arg(index.data(Qt::DisplayRole).toString().toHtmlEscaped());
        QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

QRect LevelBadgeDelegate::badgeRect(const QStyleOptionViewItem& option, const QString& word) const {
    const QFontMetrics& metrics = option.fontMetrics;
    const int height = std::min(metrics.height() + 4, option.rect.height() - 2);
    const int width = metrics.horizontalAdvance(word) + 2 * kBadgePadding;
    QRect badge(0, 0, width, height);
    badge.moveTopLeft({option.rect.left() + 4, option.rect.center().y() - height / 2 + 1});
    return badge.intersected(option.rect.adjusted(2, 1, -2, -1));
}

void LevelBadgeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QVariant fill = index.data(Qt::ForegroundRole);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!fill.canConvert<QColor>() || opt.text.isEmpty()) {
        ElidedTipDelegate::paint(painter, option, index);
        return;
    }
    const QString word = opt.text;
    opt.text.clear();
    styleOf(opt)->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QColor colour = fill.value<QColor>();
    const QRect badge = badgeRect(opt, word);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour);
    painter->drawRoundedRect(QRectF(badge), 4, 4);
    painter->setPen(toQColor(badgeTextColour(toRgba(colour))));
    painter->setFont(opt.font);
    painter->drawText(badge, Qt::AlignCenter, word);
    painter->restore();
}

QSize LevelBadgeDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize size = ElidedTipDelegate::sizeHint(option, index);
    size.rwidth() = option.fontMetrics.horizontalAdvance(index.data().toString()) + kBadgeMargin;
    size.rheight() += 4;
    return size;
}
