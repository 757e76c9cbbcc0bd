// The check lists of the alarm and fault tabs: fixed texts, one tick each, long texts wrapped onto
// as many lines as the list's width needs. A click anywhere on an item, or the space bar, ticks
// or unticks it.
#pragma once

#include <functional>

class QListWidget;
class QWidget;

QListWidget* MakeCheckList(const char* name, const char* const* texts, int count, QWidget* parent);

// Puts the ticks on a check list without reporting them as changes.
void ShowTicks(QListWidget& list, const bool* ticks, int count);

// Keeps ticks[0..count) in step with the items the user ticks or unticks, and calls `changed`
// after every tick that really changed.
void TrackTicks(QListWidget& list, bool* ticks, int count, std::function<void()> changed);
