// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QObject;
class QSlider;
class QString;

// What screen readers are told about two kinds of control that Qt describes
// poorly on its own:
// - a checkable tool button in an exclusive button group is a radio button
//   (Qt announces it as a check box), and pressing or toggling it clicks it;
// - a slider can carry the words for its value (the level's name instead of
//   "3.0"), given with setSliderValueText.
void installAccessibleControls();

// Drops the accessible description Qt may already have made of the object
// (widgets describe themselves while they are set up), so that the next
// question gets one that sees it as it is now, in its group.
void renewAccessible(QObject* object);

// The slider's value in words; also its accessible description, which is
// what assistive technology reads where the platform has no value text.
void setSliderValueText(QSlider& slider, const QString& text);
