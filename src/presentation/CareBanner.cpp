// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presentation/CareBanner.h"

#include "presentation/CareStyle.h"
#include "presentation/LevelLabel.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* textLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // disease names are data, not markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

constexpr int kIconSize = 40;

} // namespace

CareBanner::CareBanner(QWidget* parent)
    : QFrame(parent), icon(new QLabel(this)), title(textLabel("careBannerTitle", this)),
      advice(textLabel("careBannerAdvice", this)), reasons(textLabel("careBannerReasons", this)) {
    icon->setObjectName(QStringLiteral("careBannerIcon"));
    icon->setFixedSize(kIconSize, kIconSize);
    icon->setAlignment(Qt::AlignTop);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(title);
    texts->addWidget(advice);
    texts->addWidget(reasons);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(10);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);

    setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
    clear();
}

void CareBanner::showAdvice(const CareAdvice& care) {
    const CareStyle style = careStyleFor(care.level);
    QPalette colours = palette();
    for (const auto role : {QPalette::Window, QPalette::Base}) {
        colours.setColor(role, toQColor(style.background));
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text}) {
        colours.setColor(role, toQColor(style.text));
    }
    setPalette(colours);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/") + qs(style.icon))
                        .pixmap(kIconSize, kIconSize, QIcon::Normal));

    title->setText(qs(careLevelTitle(care.level)));
    advice->setText(qs(careLevelAdvice(care.level)));
    QStringList lines;
    for (const auto& reason : care.reasons) {
        lines.append(QStringLiteral("\u2022 ") + QString::fromStdString(reason));
    }
    reasons->setText(lines.join(QLatin1Char('\n')));
    reasons->setVisible(!lines.isEmpty());
    shown = care.level;
    setProperty("careLevel", qs(careLevelKey(care.level)));

    // Read out as one message: the level, then what to do and why.
    QStringList description{advice->text()};
    for (const auto& reason : care.reasons) {
        description.append(QString::fromStdString(reason));
    }
    setAccessibleName(tr("Care advice: %1").arg(title->text()));
    setAccessibleDescription(description.join(QLatin1Char(' ')));
    setVisible(true);
    QAccessibleEvent announce(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&announce);
}

void CareBanner::clear() {
    shown.reset();
    setProperty("careLevel", QString());
    icon->clear();
    title->clear();
    advice->clear();
    reasons->clear();
    setAccessibleName(tr("Care advice"));
    setAccessibleDescription(QString());
    setVisible(false);
}
